// The clickable axis-style and tic-style samples of the plot options dialog.
#include <gtest/gtest.h>

#include "graphics/Line.h"
#include "graphics/PlotOptionsPreviews.h"
#include "graphics/Rect.h"

using namespace HalvrennInc;

namespace {
// The lines of the drawing whose bounds lie wholly within a rectangle.
std::vector<const Line*> linesWithin(const Drawing& drawing, double x1, double y1, double x2, double y2)
{
    std::vector<const Line*> lines;
    for (std::uint32_t k = 1; k <= drawing.Count(); ++k) {
        const DrawingObject* p = drawing.Object(k);
        if (p->Type() == dtLine && p->XMin() >= x1 && p->XMax() <= x2 && p->YMin() >= y1 && p->YMax() <= y2)
            lines.push_back(static_cast<const Line*>(p));
    }
    return lines;
}
}  // namespace

TEST(PlotOptionsPreviews, EachAxisStyleSampleIsClickedAsItsStyle)
{
    const auto pDrawing = BuildAxisStylePreview();
    EXPECT_DOUBLE_EQ(pDrawing->XMin(), -1);
    EXPECT_DOUBLE_EQ(pDrawing->XMax(), 11);
    EXPECT_DOUBLE_EQ(pDrawing->YMin(), -1);
    EXPECT_DOUBLE_EQ(pDrawing->YMax(), 56);
    for (std::uint32_t k = 0; k < 4; ++k) {
        const double o = 15.0 * k;
        // The axis itself, a tic, and the empty middle of the sample all belong to it.
        for (const WorldPoint point : {WorldPoint{0, o + 5}, WorldPoint{5, o + 10.5}, WorldPoint{4, o + 4}}) {
            const DrawingObject* pHit = pDrawing->HitTest(point.x, point.y);
            ASSERT_NE(pHit, nullptr);
            EXPECT_EQ(pHit->ObjectID(), k + 1) << "sample " << k;
        }
    }
    EXPECT_EQ(pDrawing->HitTest(5, 12.5), nullptr);  // between two samples

    // Every line is a plain black hairline; the samples differ in their frames.
    std::size_t lineCounts[4];
    for (int k = 0; k < 4; ++k) {
        const auto lines = linesWithin(*pDrawing, -1, 15.0 * k - 1, 11, 15.0 * k + 11);
        lineCounts[k] = lines.size();
        for (const Line* pLine : lines) {
            EXPECT_EQ(pLine->ObjectID(), 0u);
            EXPECT_EQ(pLine->Color(), 0u);
            EXPECT_EQ(pLine->Style(), 1);
        }
    }
    EXPECT_EQ(lineCounts[0], 12u);  // two axes with five tics each
    EXPECT_EQ(lineCounts[1], 14u);  // and the two closing edges
    EXPECT_EQ(lineCounts[2], 24u);  // four axes with tics
    EXPECT_EQ(lineCounts[3], 12u);  // crossing in the middle
    // The last sample's y axis runs through the middle, crossed by the x axis's middle tic.
    EXPECT_EQ(linesWithin(*pDrawing, 5, 45, 5, 55).size(), 2u);
}

TEST(PlotOptionsPreviews, TicStyleSamplesCrossLieInsideAndOutside)
{
    const auto pDrawing = BuildTicStylePreview();
    EXPECT_DOUBLE_EQ(pDrawing->XMin(), -4);
    EXPECT_DOUBLE_EQ(pDrawing->XMax(), 10);
    EXPECT_DOUBLE_EQ(pDrawing->YMin(), 0);
    EXPECT_DOUBLE_EQ(pDrawing->YMax(), 54);
    for (std::uint32_t k = 0; k < 3; ++k) {
        const DrawingObject* pHit = pDrawing->HitTest(5, 20.0 * k + 5);
        ASSERT_NE(pHit, nullptr);
        EXPECT_EQ(pHit->ObjectID(), 5 + k);
    }
    // Across: the end tics reach 4 on each side of the y axis.
    EXPECT_EQ(linesWithin(*pDrawing, -4, 0, 4, 0).size(), 1u);
    // Inside: right of the y axis and above the x axis, half as long.
    EXPECT_EQ(linesWithin(*pDrawing, 0, 20, 4, 20).size(), 1u);
    EXPECT_EQ(linesWithin(*pDrawing, 10, 26, 10, 30).size(), 1u);
    EXPECT_EQ(linesWithin(*pDrawing, 0, 25, 2, 25).size(), 1u);  // middle tic
    // Outside: left of the y axis and below the x axis.
    EXPECT_EQ(linesWithin(*pDrawing, -4, 40, 0, 40).size(), 1u);
    EXPECT_EQ(linesWithin(*pDrawing, 10, 50, 10, 54).size(), 1u);
    EXPECT_EQ(linesWithin(*pDrawing, -4, 20, -0.5, 34).size(), 0u);  // nothing of the inside sample is outside
}
