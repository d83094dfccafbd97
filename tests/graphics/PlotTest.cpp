// Behaviour of the plot model: setters and flags, the automatic y range, clipping, and
// the drawing it lays out.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "PlotTestSupport.h"
#include "graphics/Line.h"
#include "graphics/Plot.h"
#include "graphics/Poly.h"
#include "graphics/Rect.h"
#include "graphics/Text.h"
#include "platform/RecordingCanvas.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<std::string> textsOf(const Drawing& drawing, std::uint32_t uObjectID)
{
    std::vector<std::string> texts;
    for (const Text* pText : objectsOf<Text>(drawing, dtText, uObjectID)) texts.push_back(pText->Content().str());
    return texts;
}

// The polylines of a line, as points.
std::vector<std::vector<WorldPoint>> polylinesOf(const Drawing& drawing, std::uint32_t uLine)
{
    std::vector<std::vector<WorldPoint>> result;
    for (const PolyLine* p : objectsOf<PolyLine>(drawing, dtPolyLine, poLineBase + uLine)) {
        std::vector<WorldPoint> points;
        for (std::uint32_t k = 0; k < p->Points().Count(); ++k) points.push_back(p->Points().Point(k));
        result.push_back(points);
    }
    return result;
}

void expectNear(const std::vector<double>& actual, const std::vector<double>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t k = 0; k < actual.size(); ++k) EXPECT_NEAR(actual[k], expected[k], 1e-12) << "element " << k;
}
}  // namespace

TEST(Plot, SettersMarkOnlyRealChanges)
{
    Plot plot(nullptr, 0);
    EXPECT_EQ(plot.Kind(), 0);
    EXPECT_FALSE(plot.Changed());
    EXPECT_FALSE(plot.Modified());
    EXPECT_EQ(plot.YAxisLabel(), "Y-Axis");
    EXPECT_EQ(plot.MainTitleColor(), 0xFF0000u);

    plot.SetMainTitle("Plot of Sales");
    EXPECT_TRUE(plot.Changed());
    EXPECT_TRUE(plot.Modified());
    plot.BuildDrawing();
    plot.ClearModified();
    EXPECT_FALSE(plot.Changed());

    // The same values, values the plot cannot use, and invalid Reals change nothing.
    plot.SetMainTitle("Plot of Sales");
    plot.SetRatio(1.0);
    plot.SetYAxisNumberValues(1);
    plot.SetXAxisNumberTics(Plot::kMostTicsBetween + 1);
    plot.SetAxisStyle(4);
    plot.SetTicStyle(3);
    plot.SetMainTitleSize(-2);
    plot.SetResolution(4);
    plot.SetXAxisNumberLabels(3);  // no text labels
    Real missing;
    missing.setMessage("Missing");
    plot.SetYMinimum(missing);
    plot.SetYMaximum(Real(1.0 + 1e-16));  // equal as Reals
    plot.SetLineColor(1, 0xFF);           // no such line
    EXPECT_FALSE(plot.Changed());
    EXPECT_FALSE(plot.Modified());
    EXPECT_FALSE(plot.LinesDirty());

    plot.SetYMinimum(Real(-1.0));
    EXPECT_TRUE(plot.LinesDirty());
    EXPECT_FALSE(plot.AutoScalePending());
    plot.SetXMaximum(Real(7.0));
    EXPECT_TRUE(plot.AutoScalePending());

    // Switching automatic scaling on redraws only when a rescale is pending.
    Plot quiet;
    quiet.SetYAutoScale(true);
    EXPECT_TRUE(quiet.Modified());
    EXPECT_FALSE(quiet.Changed());
    quiet.SetXMinimum(Real(-1.0));
    quiet.BuildDrawing();
    quiet.SetYAutoScale(false);
    quiet.SetXMinimum(Real(-2.0));
    quiet.BuildDrawing();
    quiet.SetYAutoScale(true);
    EXPECT_TRUE(quiet.Changed());
}

TEST(Plot, TextLabelsSetTheXRangeAndTheNumberShown)
{
    const std::vector<String> labels = {String("Jan"), String("Feb"), String("Mar"), String("Apr"),
                                        String("May"), String("Jun"), String("Jul")};
    const std::vector<Real> positions = reals({1, 2, 3, 4, 5, 6, 7});
    Plot plot;
    plot.SetXAxisTextLabels(1, labels.data(), positions.data());  // one label: ignored
    EXPECT_EQ(plot.XAxisLabelCount(), 0u);
    plot.SetXAxisTextLabels(7, labels.data(), positions.data());
    EXPECT_EQ(plot.XAxisLabelCount(), 7u);
    EXPECT_EQ(plot.XMinimum(), Real(1.0));
    EXPECT_EQ(plot.XMaximum(), Real(7.0));
    EXPECT_EQ(plot.XAxisNumberLabels(), 4u);
    EXPECT_TRUE(plot.AutoScalePending());

    // 4 of 7 labels: every second one.
    auto pDrawing = plot.BuildDrawing();
    EXPECT_EQ(textsOf(*pDrawing, poXAxis), (std::vector<std::string>{"Jan", "Mar", "May", "Jul", "X-Axis"}));
    // One numbered tic under each label and none between.
    const auto tics = objectsOf<Line>(*pDrawing, dtLine, 0);
    std::vector<double> ticX;
    for (const Line* pTic : tics)
        if (pTic->X1() == pTic->X2() && pTic->Y1() >= 10) ticX.push_back(pTic->X1());
    expectNear(ticX, {0, 10.0 / 3, 20.0 / 3, 10});

    plot.SetXAxisNumberLabels(8);  // more than there are: ignored
    EXPECT_EQ(plot.XAxisNumberLabels(), 4u);
    plot.SetXAxisNumberLabels(7);
    plot.SetFirstXLabel(2);
    plot.SetLastXLabel(4);
    EXPECT_EQ(plot.XMinimum(), Real(3.0));
    EXPECT_EQ(plot.XMaximum(), Real(5.0));
    plot.SetLastXLabel(9);  // no such label
    EXPECT_EQ(plot.LastXLabel(), 4u);
    pDrawing = plot.BuildDrawing();
    EXPECT_EQ(textsOf(*pDrawing, poXAxis), (std::vector<std::string>{"Mar", "Apr", "May", "X-Axis"}));
    plot.SetFirstXLabel(4);  // the first is the last: one label, no division by zero
    pDrawing = plot.BuildDrawing();
    EXPECT_EQ(textsOf(*pDrawing, poXAxis), (std::vector<std::string>{"May", "X-Axis"}));
    EXPECT_TRUE(allBoundsFinite(*pDrawing));
}

TEST(Plot, AutomaticYRangeRoundsOutward)
{
    const std::vector<Real> x = reals({0, 1, 2, 3, 4});
    const std::vector<Real> y = reals({3.2, 47.9, 10, kNaN, 20});
    Plot plot;
    plot.SetXMaximum(Real(4.0));
    plot.AddDataLine(5, x.data(), y.data(), "Values", "", 0.25, 0, 1, true, 0, 0.25);
    plot.SetYAutoScale(true);
    plot.BuildDrawing();
    EXPECT_EQ(plot.YMinimum(), Real(0.0));
    EXPECT_EQ(plot.YMaximum(), Real(50.0));
    EXPECT_FALSE(plot.AutoScalePending());

    // All values equal: widened by one each way, and the rounding keeps 4 to 6.
    const std::vector<Real> flat = reals({5, 5, 5, 5, 5});
    Plot constant;
    constant.SetXMaximum(Real(4.0));
    constant.AddDataLine(5, x.data(), flat.data(), "Flat", "", 0, 0, 1, true, 0, 0);
    constant.SetYAutoScale(true);
    constant.AutoScaleY();
    EXPECT_EQ(constant.YMinimum(), Real(4.0));
    EXPECT_EQ(constant.YMaximum(), Real(6.0));

    // Points outside the x range do not count; a line that is not drawn does.
    const std::vector<Real> wide = reals({-100, 1, 2, 3, 1000});
    const std::vector<Real> hidden = reals({0, 0, -0.5, 0, 0});
    Plot partial;
    partial.SetXMaximum(Real(4.0));
    partial.AddDataLine(5, x.data(), wide.data(), "Data", "", 0, 0, 1, true, 0, 0);
    partial.AddDataLine(5, x.data(), hidden.data(), "Band", "", 0, 0, 0, true, 0, 0);
    partial.SetXMinimum(Real(1.0));
    partial.SetXMaximum(Real(3.0));
    partial.AutoScaleY();
    EXPECT_EQ(partial.YMinimum(), Real(-1.0));
    EXPECT_EQ(partial.YMaximum(), Real(3.0));

    // Nothing in the x range: the range stays as it was.
    Plot empty;
    empty.SetXMinimum(Real(10.0));
    empty.SetXMaximum(Real(20.0));
    empty.AddDataLine(5, x.data(), y.data(), "Values", "", 0, 0, 1, true, 0, 0);
    empty.AutoScaleY();
    EXPECT_EQ(empty.YMinimum(), Real(0.0));
    EXPECT_EQ(empty.YMaximum(), Real(1.0));
}

TEST(Plot, LinesAreCutAtTheEdgesAndBrokenByMissingValues)
{
    const std::vector<Real> x = reals({0, 1, 2, 3, 4, 5});
    const std::vector<Real> y = reals({0.5, 2, 0.5, kNaN, 0.5, 0.6});
    Plot plot;
    plot.SetKeyDisplay(false);  // no key symbols among those of the line
    plot.SetXMaximum(Real(5.0));
    plot.SetRatio(2.0);
    plot.AddDataLine(6, x.data(), y.data(), "Data", "", 0.1, 0x0000FF, 1, true, symSolidCircle, 0.5);
    auto pDrawing = plot.BuildDrawing();
    ASSERT_EQ(plot.NumberOfClippedLines(), 3u);
    expectNear(plot.ClippedLine(1), {2, 1, 0, 5, 2.0 / 3, 0});
    expectNear(plot.ClippedLine(3), {2, 1, 8, 5, 10, 4});

    // Drawn up to the top edge, on again from the edge, and not across the gap.
    const auto runs = polylinesOf(*pDrawing, 1);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_DOUBLE_EQ(runs[0][1].x, 2 * 2.0 / 3);  // x times the ratio
    EXPECT_DOUBLE_EQ(runs[0][1].y, 0);
    EXPECT_DOUBLE_EQ(runs[1][0].x, 2 * 10.0 / 3);
    EXPECT_DOUBLE_EQ(runs[1][0].y, 0);
    EXPECT_DOUBLE_EQ(runs[1][1].x, 8);
    EXPECT_DOUBLE_EQ(runs[2][0].x, 16);
    // Symbols at every point of every run, the edge points included.
    const auto symbols = objectsOf<Ellip>(*pDrawing, dtEllip, poLineBase + 1);
    ASSERT_EQ(symbols.size(), 6u);
    EXPECT_DOUBLE_EQ(symbols[1]->YMin(), -0.25);
    EXPECT_TRUE(symbols[0]->Filled());
    const auto lines = objectsOf<PolyLine>(*pDrawing, dtPolyLine);
    EXPECT_EQ(lines[0]->Color(), 0x0000FFu);
    EXPECT_DOUBLE_EQ(lines[0]->Tolerance(), 0.2);

    // A lone point between missing values is a run of one: a symbol and no line.
    const std::vector<Real> lone = reals({kNaN, 0.5, kNaN, 2, 0.1, kNaN});
    Plot single;
    single.SetKeyDisplay(false);
    single.SetXMaximum(Real(5.0));
    single.SetYMinimum(Real(-1.0));
    single.AddDataLine(6, x.data(), lone.data(), "Lone", "", 0, 0, 1, true, symHollowSquare, 0.2);
    pDrawing = single.BuildDrawing();
    // Runs: the lone 0.5 without edge points at the gaps, then 0.1 entered from the top.
    ASSERT_EQ(single.NumberOfClippedLines(), 2u);
    EXPECT_EQ(single.ClippedLine(1)[0], 1);
    EXPECT_EQ(single.ClippedLine(2)[0], 2);
    EXPECT_EQ(polylinesOf(*pDrawing, 1).size(), 1u);
    EXPECT_EQ(objectsOf<Rect>(*pDrawing, dtRect, poLineBase + 1).size(), 3u);

    // Points beyond the x range are not drawn.
    Plot window;
    window.SetXMinimum(Real(2.0));
    window.SetXMaximum(Real(4.0));
    window.AddDataLine(6, x.data(), y.data(), "Data", "", 0, 0, 1, true, 0, 0);
    window.BuildDrawing();
    ASSERT_EQ(window.NumberOfClippedLines(), 2u);
    EXPECT_EQ(window.ClippedLine(1), (std::vector<double>{1, 1, 0, 5}));  // x = 2 starts the window: no entry
    EXPECT_EQ(window.ClippedLine(2), (std::vector<double>{1, 1, 10, 5}));
}

TEST(Plot, ShadedRegionsLieUnderEverythingAndOpenSidesReachTheEdges)
{
    Plot plot;
    Real missing;
    missing.setMessage("Missing");
    plot.AddShadedRegion(missing, Real(0.5), missing, missing, 0x00FFFF);  // left half, full height
    plot.AddShadedRegion(Real(0.25), missing, Real(0.25), Real(0.75), 0xFFFF00);
    plot.AddShadedRegion(missing, missing, Real(2.0), Real(3.0), 0x00FF00);    // wholly above the range
    plot.AddShadedRegion(Real(0.75), Real(0.25), missing, missing, 0x00FF00);  // left beyond right
    EXPECT_TRUE(plot.Changed());
    const auto pDrawing = plot.BuildDrawing();
    const auto regions = objectsOf<Rect>(*pDrawing, dtRect, 0);
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(pDrawing->Object(1), regions[0]);  // painted first
    EXPECT_EQ(regions[0]->XMin(), 0);
    EXPECT_EQ(regions[0]->XMax(), 5);
    EXPECT_EQ(regions[0]->YMin(), 10);  // the bottom edge comes first
    EXPECT_EQ(regions[0]->YMax(), 0);
    EXPECT_TRUE(regions[0]->Filled());
    EXPECT_EQ(regions[0]->FillColor(), 0x00FFFFu);
    EXPECT_EQ(regions[1]->XMin(), 2.5);
    EXPECT_EQ(regions[1]->XMax(), 10);
    EXPECT_EQ(regions[1]->YMin(), 7.5);
    EXPECT_EQ(regions[1]->YMax(), 2.5);

    plot.RemoveShadedRegion(1);
    plot.RemoveShadedRegion(9);
    EXPECT_EQ(plot.NumberOfShadedRegions(), 3u);
    EXPECT_EQ(plot.ShadedRegionAt(1)->Color, 0xFFFF00u);
}

TEST(Plot, TheFrameCarriesTitlesScalesAxesAndTheirObjectIDs)
{
    Plot plot;
    plot.SetMainTitle("Plot of Sales");
    plot.SetSubTitle("2024");
    plot.SetXMinimum(Real(10.0));
    plot.SetXMaximum(Real(20.0));
    plot.SetYAxisNumberValues(5);
    const auto pDrawing = plot.BuildDrawing();

    const auto titles = objectsOf<Text>(*pDrawing, dtText, poTitles);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0]->Content(), "2024");
    EXPECT_DOUBLE_EQ(titles[0]->Y(), -0.5 - 1.5);  // a frame has no tics on top
    EXPECT_EQ(titles[1]->Content(), "Plot of Sales");
    EXPECT_DOUBLE_EQ(titles[1]->Y(), -0.5 - 1.5 - 2);
    EXPECT_TRUE(titles[1]->Bold());
    EXPECT_EQ(titles[1]->Alignment(), taCentre);
    EXPECT_EQ(titles[1]->Color(), 0xFF0000u);

    // 3 numbered x values: minimum, middle, maximum; 5 on y with the maximum on top.
    EXPECT_EQ(textsOf(*pDrawing, poXAxis), (std::vector<std::string>{"10", "15", "20", "X-Axis"}));
    const auto yTexts = objectsOf<Text>(*pDrawing, dtText, poYAxis);
    ASSERT_EQ(yTexts.size(), 5u);
    EXPECT_EQ(yTexts[0]->Content(), "1");
    EXPECT_EQ(yTexts[1]->Content(), "0.75");
    EXPECT_EQ(yTexts[4]->Content(), "0");
    EXPECT_DOUBLE_EQ(yTexts[1]->Y(), 2.5 - 0.5);
    EXPECT_DOUBLE_EQ(yTexts[1]->XMax(), -0.5 - 0.4);
    const auto yLabel = objectsOf<VerticalText>(*pDrawing, dtVerticalText, poYAxis);
    ASSERT_EQ(yLabel.size(), 1u);
    EXPECT_DOUBLE_EQ(yLabel[0]->X(), -0.9 - 4 * 0.5 - 1.2 * 1.5);  // "0.75" is 4 characters
    EXPECT_DOUBLE_EQ(yLabel[0]->Y(), 5.0);

    // Axis style 1: the two axes and two plain lines closing the frame.
    const auto yAxis = objectsOf<Line>(*pDrawing, dtLine, poYAxis);
    const auto xAxis = objectsOf<Line>(*pDrawing, dtLine, poXAxis);
    ASSERT_EQ(yAxis.size(), 1u);
    ASSERT_EQ(xAxis.size(), 1u);
    EXPECT_EQ(xAxis[0]->Y1(), 10);
    EXPECT_DOUBLE_EQ(xAxis[0]->Tolerance(), 0.5);
    // Tics: y has 4 steps of 5 tics plus one, x 2 steps of 5 plus one, outside the area.
    std::size_t uYTics = 0, uXTics = 0;
    for (const Line* pLine : objectsOf<Line>(*pDrawing, dtLine, 0)) {
        if (pLine->Y1() == pLine->Y2() && pLine->X2() == 0) {
            ++uYTics;
            EXPECT_LT(pLine->X1(), 0);
        }
        if (pLine->X1() == pLine->X2() && pLine->Y1() == 10 && pLine->Y2() > 10) ++uXTics;
    }
    EXPECT_EQ(uYTics, 21u);
    EXPECT_EQ(uXTics, 11u);
}

TEST(Plot, AxesThroughZeroStayInsideThePlotArea)
{
    Plot plot;
    plot.SetAxisStyle(asThroughZero);
    plot.SetMainTitle("Title");
    plot.SetYMinimum(Real(5.0));
    plot.SetYMaximum(Real(10.0));
    plot.SetXMinimum(Real(-1.0));
    plot.SetXMaximum(Real(3.0));
    const auto pDrawing = plot.BuildDrawing();
    // Zero lies below the y range: the x axis sits on the bottom edge.
    const auto xAxis = objectsOf<Line>(*pDrawing, dtLine, poXAxis);
    ASSERT_EQ(xAxis.size(), 1u);
    EXPECT_EQ(xAxis[0]->Y1(), 10);
    // x = 0 is a quarter of the way along.
    const auto yAxis = objectsOf<Line>(*pDrawing, dtLine, poYAxis);
    ASSERT_EQ(yAxis.size(), 1u);
    EXPECT_DOUBLE_EQ(yAxis[0]->X1(), 2.5);
    // The title keeps its usual place.
    EXPECT_DOUBLE_EQ(objectsOf<Text>(*pDrawing, dtText, poTitles)[0]->Y(), -0.5 - 2);
    // Tics cross the axes on both sides.
    for (const Line* pTic : objectsOf<Line>(*pDrawing, dtLine, 0)) {
        if (pTic->Y1() == pTic->Y2()) {
            EXPECT_DOUBLE_EQ(pTic->X1() + pTic->X2(), 5.0);
        }
    }
    // The y numbers stand left of the plot area whatever the axis position.
    EXPECT_DOUBLE_EQ(objectsOf<Text>(*pDrawing, dtText, poYAxis)[0]->XMax(), -0.5);
}

TEST(Plot, TheKeyListsTheDrawnLinesWithTheirSamples)
{
    const std::vector<Real> x = reals({0, 1});
    const std::vector<Real> y = reals({0.2, 0.8});
    Plot plot;
    plot.SetKeyTitle("Key");
    plot.AddDataLine(2, x.data(), y.data(), "Data", "", 0.1, 0x0000FF, 1, true, 0, 0);
    plot.AddDataLine(2, x.data(), y.data(), "Hidden", "", 0, 0, 0, true, 0, 0);
    plot.AddDataLine(2, x.data(), y.data(), "Points", "", 0, 0xFF0000, 1, false, symSolidCircle, 0.3);
    plot.AddValueLine("Limit", "2.5", 0, 0, 2);
    auto pDrawing = plot.BuildDrawing();

    const auto title = objectsOf<Text>(*pDrawing, dtText, poKeyTitle);
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0]->X(), 12);
    EXPECT_TRUE(title[0]->Bold());
    EXPECT_TRUE(objectsOf<Text>(*pDrawing, dtText, poLineBase + 2).empty());  // not drawn, not in the key

    const auto dataRow = objectsOf<Text>(*pDrawing, dtText, poLineBase + 1);
    ASSERT_EQ(dataRow.size(), 1u);
    EXPECT_EQ(dataRow[0]->X(), 16);
    EXPECT_EQ(dataRow[0]->Y(), 1.25);
    const auto dataSample = objectsOf<Line>(*pDrawing, dtLine, poLineBase + 1);
    ASSERT_EQ(dataSample.size(), 1u);
    EXPECT_EQ(dataSample[0]->X1(), 12);
    EXPECT_EQ(dataSample[0]->X2(), 15);
    EXPECT_EQ(dataSample[0]->Y1(), 1.75);
    EXPECT_EQ(dataSample[0]->Color(), 0x0000FFu);

    // A row of points only: the symbol, size 1, and no sample line.
    EXPECT_EQ(objectsOf<Text>(*pDrawing, dtText, poLineBase + 3)[0]->Y(), 2.25);
    EXPECT_TRUE(objectsOf<Line>(*pDrawing, dtLine, poLineBase + 3).empty());
    const auto symbols = objectsOf<Ellip>(*pDrawing, dtEllip, poLineBase + 3);
    ASSERT_GE(symbols.size(), 1u);
    const Ellip* pKeySymbol = symbols.front();  // the key is drawn before the lines
    EXPECT_EQ(pKeySymbol->XMin(), 13);
    EXPECT_EQ(pKeySymbol->YMax(), 3.25);

    // A value line shows in the key, with its value when asked.
    EXPECT_EQ(textsOf(*pDrawing, poLineBase + 4), (std::vector<std::string>{"Limit"}));
    plot.SetKeyValues(true);
    pDrawing = plot.BuildDrawing();
    EXPECT_EQ(textsOf(*pDrawing, poLineBase + 4), (std::vector<std::string>{"Limit = 2.5"}));
    EXPECT_EQ(objectsOf<Line>(*pDrawing, dtLine, poLineBase + 4)[0]->Style(), 2);

    // Off-axis rows and comments follow, each with its own IDs.
    plot.AddOffAxisVariable("Temperature", "20");
    plot.AddComment("Measured daily");
    pDrawing = plot.BuildDrawing();
    const auto offAxis = objectsOf<Text>(*pDrawing, dtText, poOffAxisBase + 1);
    ASSERT_EQ(offAxis.size(), 1u);
    EXPECT_EQ(offAxis[0]->Content(), "Temperature = 20");
    EXPECT_DOUBLE_EQ(offAxis[0]->Y(), 4.75);  // the title, three rows and half a row
    EXPECT_DOUBLE_EQ(objectsOf<Text>(*pDrawing, dtText, poCommentBase + 1)[0]->Y(), 6.25);

    plot.SetKeyDisplay(false);
    pDrawing = plot.BuildDrawing();
    EXPECT_TRUE(objectsOf<Text>(*pDrawing, dtText, poLineBase + 1).empty());
}

TEST(Plot, PointSymbolsFollowTheirCodes)
{
    const std::vector<Real> x = reals({0.5});
    const std::vector<Real> y = reals({0.5});
    const int kTypes[] = {0, dtEllip, dtRect, dtPoly, dtPoly, dtEllip, dtRect, dtPoly, dtPoly, 0};
    for (std::uint8_t uStyle = 0; uStyle <= 9; ++uStyle) {
        Plot plot;
        plot.SetKeyDisplay(false);
        plot.AddDataLine(1, x.data(), y.data(), "P", "", 0, 0x00FF00, 1, false, uStyle, 2.0);
        const auto pDrawing = plot.BuildDrawing();
        std::vector<const DrawingObject*> symbols;
        for (std::uint32_t k = 1; k <= pDrawing->Count(); ++k)
            if (pDrawing->Object(k)->ObjectID() == poLineBase + 1) symbols.push_back(pDrawing->Object(k));
        if (kTypes[uStyle] == 0) {
            EXPECT_TRUE(symbols.empty()) << int(uStyle);
            continue;
        }
        ASSERT_EQ(symbols.size(), 1u) << int(uStyle);
        EXPECT_EQ(symbols[0]->Type(), kTypes[uStyle]);
        EXPECT_DOUBLE_EQ(symbols[0]->XMin(), 4);
        EXPECT_DOUBLE_EQ(symbols[0]->YMax(), 6);
        if (kTypes[uStyle] == dtPoly) {
            const auto* pPoly = static_cast<const Poly*>(symbols[0]);
            EXPECT_EQ(pPoly->Points().Count(), uStyle % 4 == 3 ? 5u : 4u);
            EXPECT_EQ(pPoly->Filled(), uStyle >= 5);
        }
    }
}

TEST(Plot, DegenerateSettingsNeverProduceUnmappableCoordinates)
{
    const std::vector<Real> x = reals({0, 1, 2});
    const std::vector<Real> y = reals({3, 3, 3});
    // Ratio 0 (a spacing for fewer than 20 points) is drawn at ratio 0.5.
    Plot plot;
    plot.SetXMaximum(Real(2.0));
    plot.SetYMaximum(Real(5.0));
    plot.SetRatio(0);
    EXPECT_EQ(plot.Ratio(), 0);
    plot.AddDataLine(3, x.data(), y.data(), "Data", "", 0, 0, 1, true, symHollowCircle, 0.2);
    auto pDrawing = plot.BuildDrawing();
    EXPECT_EQ(objectsOf<Line>(*pDrawing, dtLine, poXAxis)[0]->X2(), 5);
    EXPECT_DOUBLE_EQ(polylinesOf(*pDrawing, 1)[0][2].x, 5);
    EXPECT_TRUE(allBoundsFinite(*pDrawing));
    RecordingCanvas canvas;
    pDrawing->DrawFitted(canvas, 0, 0, 640, 480, 0xFFFFFF);
    EXPECT_FALSE(canvas.calls().empty());

    // Equal limits on both axes, with every axis style: laid out around the one value.
    Plot flat;
    flat.AddDataLine(3, x.data(), y.data(), "Data", "", 0, 0, 1, true, symHollowCircle, 0.2);
    flat.SetXMinimum(Real(1.0));
    flat.SetYMinimum(Real(3.0));
    flat.SetYMaximum(Real(3.0));
    EXPECT_EQ(flat.XMinimum(), flat.XMaximum());
    for (std::uint8_t uStyle = asOpen; uStyle <= asThroughZero; ++uStyle) {
        flat.SetAxisStyle(uStyle);
        pDrawing = flat.BuildDrawing();
        EXPECT_TRUE(allBoundsFinite(*pDrawing)) << int(uStyle);
    }
    // The point at (1, 3) is in the middle of the area.
    ASSERT_EQ(flat.NumberOfClippedLines(), 1u);
    EXPECT_EQ(flat.ClippedLine(1), (std::vector<double>{1, 1, 5, 5}));

    // Values at the edge of the number range.
    Plot extreme;
    const std::vector<Real> big = reals({-1e154, 1e154, 0});
    extreme.SetXMinimum(Real(-1e154));
    extreme.SetXMaximum(Real(1e154));
    extreme.AddDataLine(3, big.data(), big.data(), "Big", "", 0, 0, 1, true, 0, 0);
    extreme.SetYAutoScale(true);
    extreme.SetAxisStyle(asThroughZero);
    pDrawing = extreme.BuildDrawing();
    EXPECT_TRUE(allBoundsFinite(*pDrawing));
}

TEST(Plot, SizesReadAndWriteAsTheOptionsDialogShowsThem)
{
    EXPECT_EQ(Plot::ParseSize("Normal"), 1.0);
    EXPECT_EQ(Plot::ParseSize("  2.5 x "), 2.5);
    EXPECT_EQ(Plot::ParseSize("2.5x"), 2.5);
    EXPECT_EQ(Plot::ParseSize("0.8"), 0.8);
    EXPECT_EQ(Plot::ParseSize("big"), -1);
    EXPECT_EQ(Plot::ParseSize("0 x"), -1);
    EXPECT_EQ(Plot::ParseSize("-2 x"), -1);
    EXPECT_EQ(Plot::ParseSize("x"), -1);
    EXPECT_EQ(Plot::ParseSize(""), -1);
    EXPECT_EQ(Plot::FormatSize(1.0), "Normal");
    EXPECT_EQ(Plot::FormatSize(2.5), "2.5 x");
    EXPECT_EQ(Plot::FormatSize(0.2), "0.2 x");
    EXPECT_EQ(Plot::FormatSize(0), "");
    EXPECT_EQ(Plot::FormatSize(-1), "");
    EXPECT_EQ(Plot::ParseSize(Plot::FormatSize(1.2).view()), 1.2);

    const Plot plot;
    ASSERT_EQ(plot.ResolutionTable().size(), 4u);
    EXPECT_EQ(plot.ResolutionTable()[0].sName, "Low          (50 pts)");
    EXPECT_EQ(plot.ResolutionTable()[3].uPoints, 1000u);
}

TEST(Plot, TicsPointAwayFromOrIntoThePlotAreaOnEverySide)
{
    // The extent of the numbered tics on each of the four sides of a framed plot.
    struct Sides {
        double leftFrom, leftTo, rightFrom, rightTo, bottomFrom, bottomTo, topFrom, topTo;
    };
    auto sidesOf = [](std::uint8_t uTicStyle) {
        Plot plot;
        plot.SetAxisStyle(asFrameTics);
        plot.SetTicStyle(uTicStyle);
        plot.SetYAxisNumberTics(0);
        plot.SetXAxisNumberTics(0);
        const auto pDrawing = plot.BuildDrawing();
        Sides sides{};
        for (const Line* pTic : objectsOf<Line>(*pDrawing, dtLine, 0)) {
            if (pTic->Y1() == 5 && pTic->Y2() == 5) {  // the middle tic of a y axis
                (pTic->X1() < 5 ? sides.leftFrom : sides.rightFrom) = pTic->X1();
                (pTic->X1() < 5 ? sides.leftTo : sides.rightTo) = pTic->X2();
            }
            if (pTic->X1() == 5 && pTic->X2() == 5) {  // the middle tic of an x axis
                (pTic->Y1() > 5 ? sides.bottomFrom : sides.topFrom) = pTic->Y1();
                (pTic->Y1() > 5 ? sides.bottomTo : sides.topTo) = pTic->Y2();
            }
        }
        return sides;
    };
    const Sides outside = sidesOf(tsOutside);
    EXPECT_DOUBLE_EQ(outside.leftFrom, -0.4);
    EXPECT_DOUBLE_EQ(outside.leftTo, 0);
    EXPECT_DOUBLE_EQ(outside.rightFrom, 10);
    EXPECT_DOUBLE_EQ(outside.rightTo, 10.4);
    EXPECT_DOUBLE_EQ(outside.bottomFrom, 10);
    EXPECT_DOUBLE_EQ(outside.bottomTo, 10.4);
    EXPECT_DOUBLE_EQ(outside.topFrom, -0.4);
    EXPECT_DOUBLE_EQ(outside.topTo, 0);
    const Sides inside = sidesOf(tsInside);
    EXPECT_DOUBLE_EQ(inside.leftTo, 0.4);
    EXPECT_DOUBLE_EQ(inside.rightFrom, 9.6);
    EXPECT_DOUBLE_EQ(inside.bottomFrom, 9.6);
    EXPECT_DOUBLE_EQ(inside.topTo, 0.4);
    const Sides both = sidesOf(tsBothSides);
    EXPECT_DOUBLE_EQ(both.leftFrom, -0.4);
    EXPECT_DOUBLE_EQ(both.leftTo, 0.4);
    EXPECT_DOUBLE_EQ(both.topFrom, -0.4);
    EXPECT_DOUBLE_EQ(both.topTo, 0.4);
}
