// What a drawing covers on a device whose fonts are wider than the layout's width table,
// and fitting that keeps every text inside the picture.
#include <gtest/gtest.h>

#include "graphics/Drawing.h"
#include "graphics/DrawingCoverage.h"
#include "platform/RecordingCanvas.h"

using namespace HalvrennInc;

namespace {
//! A device whose stand-in font is 40 % wider than the width table says.
class WideFontCanvas : public RecordingCanvas {
public:
    int textWidth(std::string_view sText) override { return RecordingCanvas::textWidth(sText) * 14 / 10; }
};

bool Within(const DeviceArea& inner, double x1, double y1, double x2, double y2)
{
    return inner.iLeft >= x1 - 1 && inner.iTop >= y1 - 1 && inner.iRight <= x2 + 1 && inner.iBottom <= y2 + 1;
}

//! A chart's frame with a title as wide as the frame, the last x label at its right end
//! and a y title reading upward at its left.
void ChartLike(Drawing& drawing)
{
    drawing.AddRect(0, 0, 20, 10, 1, 0, 0, false, 0, 0);
    drawing.AddText("CUSUM Chart of Thickness Variation", 10, -2, 1.1, 1, 0, true, false, 0);
    drawing.AddText("L099", 20, 10.2, 0.6, 1, 0, false, false, 0);
    drawing.AddVerticalText("Thickness", -1, 5, 0.8, 1, 0, true, false, 0);
}
}  // namespace

TEST(DrawingCoverage, FittingKeepsEveryTextInsideThePictureWhateverTheDeviceFont)
{
    Drawing drawing;
    ChartLike(drawing);
    WideFontCanvas canvas;

    for (const auto& [dWidth, dHeight] : {std::pair{588.0, 400.0}, std::pair{820.0, 600.0}, std::pair{300.0, 600.0}}) {
        // Fitted by its extent alone, the wider font pushes texts out of the picture.
        const DeviceArea plain = FittedCoverage(drawing, canvas, 0, 0, dWidth, dHeight);
        EXPECT_FALSE(Within(plain, 0, 0, dWidth, dHeight)) << dWidth;

        double x1 = 0, y1 = 0, x2 = dWidth, y2 = dHeight;
        FitCovering(drawing, canvas, x1, y1, x2, y2);
        CoverageCanvas coverage(canvas);
        drawing.DrawFitted(coverage, x1, y1, x2, y2, 0xFFFFFF);
        EXPECT_TRUE(Within(coverage.TextCovered(), 0, 0, dWidth, dHeight)) << dWidth;
        EXPECT_TRUE(Within(coverage.Covered(), 0, 0, dWidth, dHeight)) << dWidth;
        // Only as much smaller as needed: the texts reach close to an edge.
        const DeviceArea& texts = coverage.TextCovered();
        const int iSlack = std::min({texts.iLeft, texts.iTop, static_cast<int>(dWidth) - texts.iRight,
                                     static_cast<int>(dHeight) - texts.iBottom});
        EXPECT_LE(iSlack, 0.05 * std::min(dWidth, dHeight)) << dWidth;
    }

    // A drawing that fits as it is keeps its rectangle, and a device whose font matches
    // the width table needs nothing.
    Drawing plain;
    plain.AddRect(0, 0, 20, 10, 1, 0, 0, false, 0, 0);
    plain.AddText("Level", 10, 4, 1, 1, 0, false, false, 0);
    double x1 = 10, y1 = 10, x2 = 410, y2 = 210;
    FitCovering(plain, canvas, x1, y1, x2, y2);
    EXPECT_EQ(x1, 10);
    EXPECT_EQ(y1, 10);
    EXPECT_EQ(x2, 410);
    EXPECT_EQ(y2, 210);

    // An empty drawing, and a rectangle too small for anything, are left as they are.
    Drawing empty;
    x1 = 0, y1 = 0, x2 = 100, y2 = 50;
    FitCovering(empty, canvas, x1, y1, x2, y2);
    EXPECT_EQ(x2, 100);
    x1 = 0, y1 = 0, x2 = 2, y2 = 1;
    FitCovering(drawing, canvas, x1, y1, x2, y2);
    EXPECT_EQ(x2, 2);
}
