// Helpers of the data window tests: a shown, active window with scripted services, and
// mouse events with a button held (QTest moves the mouse without one).
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <functional>
#include <utility>

#include "platform/qt/ScriptedPlatform.h"
#include "workbook/ui/SheetGridView.h"
#include "workbook/ui/TDataWindowForm.h"

namespace HalvrennInc::testing {

using Cell = std::pair<std::uint32_t, std::uint32_t>;

struct DataWindow {
    ScriptedPlatform platform;
    TDataWindowForm window{platform.services};

    explicit DataWindow(QSize size = QSize(900, 560))
    {
        window.resize(size);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    Workbook& workbook() { return window.workbook(); }
    const Sheet& sheet() { return window.workbook().activeSheet(); }
    QLineEdit* editor() { return window.cellEditor(); }
    SheetGridView* grid() { return window.grid(); }
    Cell current() { return {sheet().currentColumn(), sheet().currentRow()}; }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(editor(), key, modifiers);
    }
    void type(const QString& sText) { QTest::keyClicks(editor(), sText); }
    //! The centre of a cell in the grid's viewport.
    QPoint cellCentre(std::uint32_t uColumn, std::uint32_t uRow)
    {
        return grid()
            ->visualRect(grid()->model()->index(static_cast<int>(uRow) - 1, static_cast<int>(uColumn) - 1))
            .center();
    }
};

//! A mouse event with the left button held (or released) sent straight to a widget.
inline void SendMouse(QWidget* pWidget, QEvent::Type type, QPoint pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), QPointF(pWidget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &event);
}

//! Runs the event loop until the condition holds or the time is up; returns the condition.
inline bool WaitUntil(const std::function<bool()>& condition, int iTimeoutMs = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < iTimeoutMs) QTest::qWait(5);
    return condition();
}

}  // namespace HalvrennInc::testing
