// The sizes a view takes in its fixed modes and the size of the pictures it copies.
#include <gtest/gtest.h>

#include <limits>

#include "graphics/SizeMode.h"

using namespace HalvrennInc;

TEST(SizeMode, ModesKeepTheirStoredNumbersAndZoomFactors)
{
    EXPECT_EQ(SizeToFit, 0);
    EXPECT_EQ(FixedSizeNormal, 1);
    EXPECT_EQ(Size100, 4);
    EXPECT_EQ(Size400, 11);
    const double expected[] = {0, 1.0, 0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0};
    for (int mode = 0; mode < kSizeModeCount; ++mode) EXPECT_EQ(kSizeModeFactors[mode], expected[mode]) << mode;
    EXPECT_TRUE(IsSizeMode(0));
    EXPECT_TRUE(IsSizeMode(11));
    EXPECT_FALSE(IsSizeMode(12));
    EXPECT_FALSE(IsSizeMode(-1));
}

TEST(SizeMode, TheUnitComesFromTheFontHeight)
{
    EXPECT_DOUBLE_EQ(UnitFromFontHeight(-11), 13.2);  // the default font
    EXPECT_DOUBLE_EQ(UnitFromFontHeight(-16), 19.2);
    EXPECT_DOUBLE_EQ(UnitFromFontHeight(14), 14.0);  // a cell height is taken as it is
}

TEST(SizeMode, FixedSizesAreTheZoomedExtentPlusTheMarginTruncated)
{
    // 40 x 20 world units at 150% with unit 13.2 and margin 10: trunc(792 + 20) x
    // trunc(396 + 20).
    EXPECT_EQ(FixedClientSize(40, 20, 1.5, UnitFromFontHeight(-11), 10), (PixelSize{812, 416}));
    // Truncation toward zero, never rounding: 10 x 0.99 = 9.9.
    EXPECT_EQ(FixedClientSize(10, 10, 0.99, 1, 0), (PixelSize{9, 9}));
    // Without a limit nothing is capped.
    EXPECT_EQ(FixedClientSize(64000, 100, 1, 1, 0), (PixelSize{64000, 100}));
}

TEST(SizeMode, ThePlotViewHoldsItsLongerSideTo32000Pixels)
{
    // 64000 x 16000 pixels become 32000 x 8000, and then the margins are added.
    EXPECT_EQ(FixedClientSize(64000, 16000, 1, 1, 7, kLargestPlotSide), (PixelSize{32014, 8014}));
    // A tall picture is held by its height.
    EXPECT_EQ(FixedClientSize(1000, 40000, 1, 1, 0, kLargestPlotSide), (PixelSize{800, 32000}));
    // Exactly the limit is not above it.
    EXPECT_EQ(FixedClientSize(32000, 100, 1, 1, 0, kLargestPlotSide), (PixelSize{32000, 100}));
    // The zoom takes part: 2000 units at 20 pixels are 40000 pixels.
    EXPECT_EQ(FixedClientSize(2000, 100, kClipboardPixelsPerUnit, 1, 0, kLargestPlotSide), (PixelSize{32000, 1600}));
    const ScaledSize scaled = ScaledPictureSize(2000, 100, kClipboardPixelsPerUnit, 1, kLargestPlotSide);
    EXPECT_DOUBLE_EQ(scaled.dWidth, 32000);
    EXPECT_DOUBLE_EQ(scaled.dHeight, 1600);
}

TEST(SizeMode, PicturesOnTheClipboardHave20PixelsPerUnit)
{
    EXPECT_EQ(FixedClientSize(40, 20, kClipboardPixelsPerUnit, 1, 0), (PixelSize{800, 400}));
    EXPECT_EQ(FixedClientSize(12.34, 5.67, kClipboardPixelsPerUnit, 1, 0), (PixelSize{246, 113}));
}

TEST(SizeMode, SizesThatCannotBeMeasuredAreHeldInRange)
{
    const double kInfinity = std::numeric_limits<double>::infinity();
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FixedClientSize(0, 0, 10, 1, 0), (PixelSize{0, 0}));
    EXPECT_EQ(FixedClientSize(kNaN, 5, 2, 1, 1), (PixelSize{2, 12}));
    EXPECT_EQ(FixedClientSize(-5, 5, 2, 1, -3), (PixelSize{0, 10}));
    // A huge zoom cannot overflow the geometry.
    const PixelSize huge = FixedClientSize(1e300, kInfinity, 1e5, 1, 0);
    EXPECT_EQ(huge.iWidth, static_cast<int>(kLargestPixelSide));
    EXPECT_EQ(huge.iHeight, 0);
}
