// Helpers of the view and dialog tests: scripted desktop services, a drawing with a
// clickable part, and finding where on a view an object lies.
#pragma once

#include <QPoint>
#include <QTest>
#include <QWidget>
#include <memory>
#include <optional>

#include "graphics/Drawing.h"
#include "platform/DesktopServices.h"
#include "platform/MemorySettings.h"
#include "platform/RecordingCanvas.h"
#include "platform/ScriptedDesktopServices.h"
#include "platform/ScriptedUserMessages.h"

namespace HalvrennInc::testing {

struct ScriptedServices {
    ScriptedUserMessages messages;
    MemorySettings settings;
    ScriptedFileDialogs fileDialogs;
    ScriptedClipboard clipboard;
    ScriptedPrinter printer;
    ScriptedHelp help;
    PlatformServices services{messages, settings, fileDialogs, clipboard, printer, help};
};

inline constexpr TColor kRed = 0x0000FF;
inline constexpr std::uint32_t kCellID = 7;

//! A table-like drawing of 40 x 20 world units: a frame (ID 0) and a red cell from
//! (10, 5) to (20, 15) with object ID 7.
inline std::unique_ptr<Drawing> tableDrawing()
{
    auto pDrawing = std::make_unique<Drawing>();
    pDrawing->AddRect(0, 0, 40, 20, 1, 0, 0, false, 0, 0);
    pDrawing->AddRect(10, 5, 20, 15, 1, kRed, 0, true, kRed, kCellID);
    return pDrawing;
}

//! A device point of the view where a hit test of the drawing (fitted into the view less
//! the margin) finds an object with the given ID, searched from the top left.
inline std::optional<QPoint> pointOf(const Drawing& drawing, const QWidget& view, double dMargin,
                                     std::uint32_t uObjectID)
{
    const RecordingCanvas screen(view.logicalDpiX(), view.logicalDpiY());
    for (int y = 0; y < view.height(); ++y) {
        for (int x = 0; x < view.width(); ++x) {
            double wx = 0, wy = 0;
            const DrawingObject* pHit = drawing.ObjectAtFitted(screen, dMargin, dMargin, view.width() - dMargin,
                                                               view.height() - dMargin, x, y, wx, wy);
            if (pHit && pHit->ObjectID() == uObjectID) return QPoint(x, y);
        }
    }
    return std::nullopt;
}

//! A double click as the desktop delivers it: press, release, press, double click, release.
inline void doubleClick(QWidget& view, QPoint point)
{
    QTest::mouseClick(&view, Qt::LeftButton, {}, point);
    QTest::mousePress(&view, Qt::LeftButton, {}, point);
    QTest::mouseDClick(&view, Qt::LeftButton, {}, point);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, point);
}

}  // namespace HalvrennInc::testing
