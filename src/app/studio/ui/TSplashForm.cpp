// Ostrel-Vane Studio - the splash window.
#include "app/studio/ui/TSplashForm.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/studio/ui/ProductBanner.h"

namespace HalvrennInc {

void CentreOnScreen(QWidget& window)
{
    QScreen* pScreen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!pScreen) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(pScreen->availableGeometry().center());
    window.move(frame.topLeft());
}

TSplashForm::TSplashForm(int iLifetimeMs)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* pLayout = new QVBoxLayout(this);
    // A thin frame in the mark's blue around the banner.
    pLayout->setContentsMargins(2, 2, 2, 2);
    pLayout->addWidget(new ProductBanner(this));
    QPalette frame = palette();
    frame.setColor(QPalette::Window, QColor(0x1f, 0x3e, 0x66));
    setPalette(frame);
    setAutoFillBackground(true);
    adjustSize();
    CentreOnScreen(*this);
    show();
    // Painted now: the caller makes the main window before the event loop runs.
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QTimer::singleShot(iLifetimeMs, this, &QWidget::close);
}

}  // namespace HalvrennInc
