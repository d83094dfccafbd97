// Ostrel-Vane Studio - the hourglass of the desktop.
#include "platform/qt/QtWaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace HalvrennInc {

void QtWaitCursor::begin()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void QtWaitCursor::end()
{
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace HalvrennInc
