// Where a new results window goes in the work area, and the caption that tells apart two
// open windows of the same series.
#include <gtest/gtest.h>

#include "app/studio/WindowPlacement.h"

using namespace HalvrennInc;

namespace {
bool Inside(const PlacementRect& inner, const PlacementRect& outer)
{
    return inner.iLeft >= outer.iLeft && inner.iTop >= outer.iTop && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}
}  // namespace

TEST(WindowPlacement, ResultsWindowsCascadeBesideTheDataWindowAndKeepEveryTitleBarInView)
{
    ResultsPlacementInput input;
    input.area = {0, 0, 1600, 860};
    input.dataWindow = {10, 10, 560, 454};
    input.iDataButtonsHeight = 40;
    input.iPreferredWidth = 900;
    input.iPreferredHeight = 600;
    input.iStep = 24;

    // Beside the data window, never over it; each next one a title bar lower and further right.
    std::vector<PlacementRect> placed;
    for (int k = 0; k < 12; ++k) {
        input.others = placed;
        const PlacementRect next = PlaceResultsWindow(input);
        EXPECT_TRUE(Inside(next, input.area)) << k;
        EXPECT_GE(next.iLeft, input.dataWindow.Right()) << k;
        for (const PlacementRect& other : placed)
            EXPECT_FALSE(other.iLeft == next.iLeft && other.iTop == next.iTop) << "a title bar hidden at " << k;
        placed.push_back(next);
    }
    EXPECT_EQ(placed[0], (PlacementRect{570, 0, 900, 600}));
    EXPECT_EQ(placed[1], (PlacementRect{594, 24, 900, 600}));
    EXPECT_EQ(placed[6].iWidth, 1600 - placed[6].iLeft) << "cut to the work area";
    // A closed window's step is taken again first.
    input.others = {placed[0], placed[2]};
    EXPECT_EQ(PlaceResultsWindow(input), placed[1]);
    // When the steps run out of room the cascade starts again.
    std::vector<PlacementRect> many;
    for (int k = 0; k < 60; ++k) {
        input.others = many;
        many.push_back(PlaceResultsWindow(input));
        EXPECT_TRUE(Inside(many.back(), input.area)) << k;
        EXPECT_GE(many.back().iWidth, 450) << k;
    }

    // A wide data window: the results go over it, below its title bar and above its buttons.
    input.others.clear();
    input.dataWindow = {0, 0, 1400, 800};
    const PlacementRect over = PlaceResultsWindow(input);
    EXPECT_EQ(over.iLeft, 24);
    EXPECT_EQ(over.iTop, 24);
    EXPECT_LE(over.Bottom(), 800 - 40) << "the data window's buttons stay uncovered";
    EXPECT_TRUE(Inside(over, input.area));

    // No data window in view (minimized or maximized): the top-left of the area.
    input.dataWindow = {};
    EXPECT_EQ(PlaceResultsWindow(input), (PlacementRect{0, 0, 900, 600}));
    // A work area smaller than the window asked for.
    input.area = {0, 0, 500, 300};
    const PlacementRect small = PlaceResultsWindow(input);
    EXPECT_EQ(small, (PlacementRect{0, 0, 500, 300}));
}

TEST(WindowPlacement, ASecondOpenWindowOfTheSameCaptionIsNumbered)
{
    const std::string sLevel = "Analysis Results - Level";
    EXPECT_EQ(DistinctCaption(sLevel, {}), sLevel);
    EXPECT_EQ(DistinctCaption(sLevel, {"Data", "Analysis Results - Weight"}), sLevel);
    EXPECT_EQ(DistinctCaption(sLevel, {"Data", sLevel}), sLevel + " (2)");
    EXPECT_EQ(DistinctCaption(sLevel, {sLevel, sLevel + " (2)"}), sLevel + " (3)");
    // The number of a closed window is given again.
    EXPECT_EQ(DistinctCaption(sLevel, {sLevel, sLevel + " (3)"}), sLevel + " (2)");
    EXPECT_EQ(DistinctCaption(sLevel, {sLevel + " (2)"}), sLevel) << "the caption itself is free";
}
