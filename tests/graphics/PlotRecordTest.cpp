// The stored record of a plot: its exact form, round trips, records that do not fit the
// plot, damaged input, and the plot kinds whose number of lines may change.
#include <gtest/gtest.h>

#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "PlotTestSupport.h"
#include "graphics/PlotKinds.h"
#include "graphics/Poly.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
const Real kVersion20(2.0);
const Real kVersion21(2.1);

// Two data lines over five points, as the results charts build them.
struct Series {
    std::vector<Real> x = reals({1, 2, 3, 4, 5});
    std::vector<Real> y = reals({0.2, 0.4, 0.9, 0.3, 0.1});
    std::vector<Real> y2 = reals({0.1, 0.1, 0.1, 0.1, 0.1});

    void fill(Plot& plot) const
    {
        plot.AddDataLine(5, x.data(), y.data(), "Sales", "", 0.25, 0, 1, true, 0, 0.25);
        plot.AddDataLine(5, x.data(), y2.data(), "UCL", "", 0.25, 0x0000FF, 1, true, 0, 1.0);
        plot.SetXMinimum(Real(1.0));
        plot.SetXMaximum(Real(5.0));
    }
};

std::string written(Plot& plot, const Real& version, bool bWithPoints)
{
    std::ostringstream out;
    plot.Write(out, version, bWithPoints);
    return out.str();
}

// Reads a record into a plot and reports whether the read-failure flag came up.
bool readFails(Plot& plot, const std::string& sRecord, const Real& version = kVersion20, bool bWithPoints = true)
{
    clearReadFailure();
    std::istringstream in(sRecord);
    const bool bRead = plot.Read(in, version, bWithPoints);
    const bool bFailed = readFailed();
    EXPECT_EQ(bRead, !bFailed);
    clearReadFailure();
    return bFailed;
}

// A decimal comma and digit grouping, as some desktop locales have.
struct CommaNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
}  // namespace

TEST(PlotRecord, TheRecordHasItsTokensInTheStoredOrder)
{
    Plot plot;
    EXPECT_EQ(written(plot, kVersion20, false),
              "0 0 \"\" 2 16711680 \"\" 1.5 0 \"Y-Axis\" 1.5 1 0 1 1 3 4 \"X-Axis\" 1.5 2 0 1 1 3 4 "
              "1 2 0.4 0.2 1 1 1 1 0 1 1 1 0 0 0 ");
    // Version 2.1 adds the key title group after the key display flag; 1.0 lacks the
    // label orientation and the number of labels.
    plot.SetKeyTitle("Lines");
    const std::string s21 = written(plot, kVersion21, false);
    EXPECT_NE(s21.find("0.2 1 1 \"Lines\" 1 0 1 1 0 1 1 1 0 0 0 "), std::string::npos);
    EXPECT_EQ(written(plot, Real(1.0), false)
                  .rfind("0 0 \"\" 2 16711680 \"\" 1.5 0 \"Y-Axis\" 1.5 0 1 1 3 4 \"X-Axis\" 1.5 0 1 ", 0),
              0u);

    // With points: the count of runs on a line of its own, then one run per line.
    Series series;
    Plot lines;
    series.fill(lines);
    lines.SetYMaximum(Real(2.0));
    const std::string s = written(lines, kVersion20, true);
    EXPECT_NE(s.find("2 \"Sales\" \"\" 0.25 0 1 1 0 0.25 \"UCL\" \"\" 0.25 255 1 1 0 1 0 0 2\n"
                     "5 1 0 9 2.5 8 5 5.5 7.5 8.5 10 9.5 \n"
                     "5 2 0 9.5 2.5 9.5 5 9.5 7.5 9.5 10 9.5 \n"),
              std::string::npos)
        << s;
}

TEST(PlotRecord, SettingsSurviveARoundTrip)
{
    Series series;
    Plot original;
    series.fill(original);
    original.SetYAutoScale(true);
    original.BuildDrawing();  // scaled once, as when it was first shown
    original.SetMainTitle("He said \"stop\"");
    original.SetSubTitle("second line");
    original.SetMainTitleColor(0x0000FF);
    original.SetYMaximum(Real(2000000000.0));
    original.SetYMinimum(Real(-0.125));
    original.SetYAxisLabelVertical(false);
    original.SetXAxisNumberValues(6);
    original.SetAxisStyle(asThroughZero);
    original.SetTicStyle(tsBothSides);
    original.SetRatio(2.5);
    original.SetResolution(3);
    original.SetKeyDisplay(false);
    original.SetKeySize(1.2);
    original.SetKeyTitle("Key");
    original.SetLineStyle(2, 0);
    original.SetLineConnectPoints(1, false);
    original.SetLinePointStyle(1, symSolidCircle);
    original.SetLineValueText(2, "3.5");
    EXPECT_TRUE(original.Modified());
    const std::string sRecord = written(original, kVersion21, true);
    EXPECT_FALSE(original.Modified());
    EXPECT_NE(sRecord.find("\"He said \"\"stop\"\"\" "), std::string::npos);
    EXPECT_NE(sRecord.find(" 2e9 "), std::string::npos);

    Plot copy;
    series.fill(copy);
    ASSERT_FALSE(readFails(copy, sRecord, kVersion21));
    EXPECT_FALSE(copy.Modified());
    EXPECT_EQ(copy.MainTitle(), "He said \"stop\"");
    EXPECT_EQ(copy.SubTitle(), "second line");
    EXPECT_EQ(copy.MainTitleColor(), 0x0000FFu);
    EXPECT_EQ(copy.YMaximum().value(), 2000000000.0);
    EXPECT_EQ(copy.YMinimum().value(), -0.125);
    EXPECT_FALSE(copy.YAxisLabelVertical());
    EXPECT_EQ(copy.XAxisNumberValues(), 6u);
    EXPECT_EQ(copy.AxisStyle(), asThroughZero);
    EXPECT_EQ(copy.TicStyle(), tsBothSides);
    EXPECT_EQ(copy.Ratio(), 2.5);
    EXPECT_EQ(copy.Resolution(), 3u);
    EXPECT_FALSE(copy.KeyDisplay());
    EXPECT_EQ(copy.KeySize(), 1.2);
    EXPECT_EQ(copy.KeyTitle(), "Key");
    EXPECT_TRUE(copy.YAutoScale());
    EXPECT_FALSE(copy.AutoScalePending());
    EXPECT_EQ(copy.Line(2)->Style, 0);
    EXPECT_FALSE(copy.Line(1)->ConnectPoints);
    EXPECT_EQ(copy.Line(1)->PointStyle, symSolidCircle);
    EXPECT_EQ(copy.Line(2)->ValueText, "3.5");
    EXPECT_EQ(copy.Line(2)->Value, Real(3.5));
    EXPECT_EQ(copy.Line(1)->Thickness, 0.25);

    // The stored runs are used as they are: the plot is drawn without clipping again.
    EXPECT_FALSE(copy.LinesDirty());
    ASSERT_EQ(copy.NumberOfClippedLines(), original.NumberOfClippedLines());
    EXPECT_EQ(copy.ClippedLine(1)[0], original.ClippedLine(1)[0]);
    EXPECT_EQ(written(copy, kVersion21, true), sRecord);

    // Without points the runs are recomputed at the next drawing.
    Plot settingsOnly;
    series.fill(settingsOnly);
    ASSERT_FALSE(readFails(settingsOnly, written(original, kVersion20, false), kVersion20, false));
    EXPECT_TRUE(settingsOnly.LinesDirty());
    EXPECT_EQ(settingsOnly.NumberOfClippedLines(), 0u);
    EXPECT_EQ(settingsOnly.KeyTitle(), "");  // not in a 2.0 record
}

TEST(PlotRecord, StoredRunsAreDrawnInsteadOfTheData)
{
    Series series;
    Plot original;
    series.fill(original);
    original.SetKeyDisplay(false);
    const std::string sRecord = written(original, kVersion20, true);  // never drawn: clipped now

    // The plot read back has other data; the picture still shows the stored runs.
    const std::vector<Real> other = reals({0.5, 0.5, 0.5, 0.5, 0.5});
    Plot copy;
    copy.AddDataLine(5, series.x.data(), other.data(), "Sales", "", 0.25, 0, 1, true, 0, 0.25);
    copy.AddDataLine(5, series.x.data(), other.data(), "UCL", "", 0.25, 0x0000FF, 1, true, 0, 1.0);
    ASSERT_FALSE(readFails(copy, sRecord));
    const auto pDrawing = copy.BuildDrawing();
    const auto polylines = objectsOf<PolyLine>(*pDrawing, dtPolyLine, poLineBase + 1);
    ASSERT_EQ(polylines.size(), 1u);
    EXPECT_DOUBLE_EQ(polylines[0]->Points().Point(2).y, 1);  // 0.9 of the stored data

    // A record that stored no runs leaves nothing to draw until the lines change.
    Plot empty;
    series.fill(empty);
    std::string sNoRuns = sRecord.substr(0, sRecord.find("2\n")) + "0\n";
    ASSERT_FALSE(readFails(empty, sNoRuns));
    EXPECT_EQ(empty.NumberOfClippedLines(), 0u);
    EXPECT_FALSE(empty.LinesDirty());
}

TEST(PlotRecord, ARecordForAnotherNumberOfLinesIsRefused)
{
    Series series;
    Plot original;
    series.fill(original);
    original.SetResolution(2);
    original.SetMainTitle("Stored");
    const std::string sRecord = written(original, kVersion20, true);

    Plot three;
    series.fill(three);
    three.AddValueLine("Extra", "1", 0, 0, 1);
    EXPECT_TRUE(readFails(three, sRecord));
    EXPECT_EQ(three.Resolution(), 2u);     // read before the count: kept
    EXPECT_EQ(three.MainTitle(), "");      // after it: never read
    EXPECT_EQ(three.NumberOfLines(), 3u);  // an ordinary plot never grows or shrinks
    EXPECT_FALSE(three.Modified());
}

TEST(PlotRecord, PlotsWithAVariableNumberOfLinesFollowTheRecord)
{
    Series series;
    ContourPlot stored;
    SetNumberOfContours(stored, 4);
    stored.SetLineLabel(3, "Third");
    const std::string sFour = written(stored, kVersion20, false);

    // Grown with plain value lines that then take the stored settings.
    ContourPlot grown;
    SetNumberOfContours(grown, 2);
    ASSERT_FALSE(readFails(grown, sFour, kVersion20, false));
    ASSERT_EQ(grown.NumberOfLines(), 4u);
    EXPECT_EQ(grown.Line(3)->Label, "Third");
    EXPECT_EQ(grown.Line(4)->ValueText, "4");
    EXPECT_EQ(grown.Line(4)->Thickness, 0.1);

    // Shrunk from the end.
    InteractionPlot shrunk;
    SetNumberOfLines(shrunk, 6);
    ASSERT_FALSE(readFails(shrunk, sFour, kVersion20, false));
    EXPECT_EQ(shrunk.NumberOfLines(), 4u);

    // Fewer than two lines are refused even for these kinds.
    ContourPlot one;
    SetNumberOfContours(one, 1);
    const std::string sOne = written(one, kVersion20, false);
    EXPECT_TRUE(readFails(grown, sOne, kVersion20, false));
    EXPECT_EQ(grown.NumberOfLines(), 4u);
}

TEST(PlotRecord, DamagedRecordsAreRefusedWithoutHarm)
{
    Series series;
    Plot original;
    series.fill(original);
    const std::string sRecord = written(original, kVersion20, true);
    auto fresh = [&] {
        auto pPlot = std::make_unique<Plot>();
        series.fill(*pPlot);
        return pPlot;
    };

    // Cut anywhere before its last token, the record fails to read.
    const std::size_t uLastToken = sRecord.find_last_of(" \n", sRecord.find_last_not_of(" \n")) + 1;
    for (std::size_t uLength = 0; uLength < uLastToken; ++uLength) {
        auto pPlot = fresh();
        EXPECT_TRUE(readFails(*pPlot, sRecord.substr(0, uLength))) << "cut at " << uLength;
    }

    // Tokens that are not what the record holds at their place.
    const std::vector<std::pair<std::string, std::string>> damage = {
        {"\"Y-Axis\" 1.5 1 0 1", "\"Y-Axis\" 1.5 1 \"Overflow\" 1"},  // a message is a Real: accepted
        {"\"\" 2 16711680", "\"\" two 16711680"},                     // a word for a size
        {"\"\" 2 16711680", "\"\" \"2\" 16711680"},                   // a text for a size
        {"\"\" 2 16711680", "\"\" 2 99999999999"},                    // a colour beyond 32 bits
        {"0 0 2\n5 1", "0 0 2\n5 3"},                                 // a run of line 3 of 2
        {"0 0 2\n5 1", "0 0 2\n5 0"},                                 // line numbers start at 1
        {"0 0 2\n5 1", "0 0 2\n-5 1"},                                // a negative count
        {"0 0 2\n5 1", "0 0 2\n4000000000 1"},                        // more points than follow
        {"0 0 2\n5 1", "0 0 2\n1e300 1"},                             // a count beyond any size
        {"0 0 2\n", "0 0 4000000000\n"},                              // more runs than follow
        {"0 0 2\n5 1", "0 0 2\n5.5 1"},                               // truncated: 5 points
    };
    const std::vector<bool> fails = {false, true, true, true, true, true, true, true, true, true, false};
    for (std::size_t k = 0; k < damage.size(); ++k) {
        std::string sDamaged = sRecord;
        const std::size_t uAt = sDamaged.find(damage[k].first);
        ASSERT_NE(uAt, std::string::npos) << damage[k].first;
        sDamaged.replace(uAt, damage[k].first.size(), damage[k].second);
        auto pPlot = fresh();
        EXPECT_EQ(readFails(*pPlot, sDamaged), fails[k]) << damage[k].second;
    }

    // Settings the plot cannot use are ignored, not applied: one numbered value, an
    // unknown axis style, a negative size, an unknown resolution (which becomes 0).
    std::string sOdd = sRecord;
    sOdd.replace(sOdd.find("1 3 4 \"X-Axis\""), 14, "1 1 4 \"X-Axis\"");
    sOdd.replace(sOdd.find("1 2 0.4 0.2"), 11, "7 2 -0.4 0.2");
    sOdd.replace(0, 1, "9");
    auto pOdd = fresh();
    pOdd->SetResolution(1);
    ASSERT_FALSE(readFails(*pOdd, sOdd));
    EXPECT_EQ(pOdd->YAxisNumberValues(), 3u);
    EXPECT_EQ(pOdd->AxisStyle(), asFrame);
    EXPECT_EQ(pOdd->TicSizeNumber(), 0.4);
    EXPECT_EQ(pOdd->Resolution(), 0u);
}

TEST(PlotRecord, EqualAxisLimitsFromARecordStillDraw)
{
    Series series;
    Plot original;
    series.fill(original);
    std::string sRecord = written(original, kVersion20, false);
    // Both y limits 0.5 and both x limits 3.
    sRecord.replace(sRecord.find("1.5 1 0 1 1 3 4"), 15, "1.5 1 0.5 0.5 1 3 4");
    sRecord.replace(sRecord.find("1.5 2 1 5 1 3 4"), 15, "1.5 2 3 3 1 3 4");
    Plot copy;
    series.fill(copy);
    ASSERT_FALSE(readFails(copy, sRecord, kVersion20, false));
    EXPECT_EQ(copy.YMinimum(), copy.YMaximum());
    EXPECT_EQ(copy.XMinimum(), copy.XMaximum());
    for (std::uint8_t uStyle = asOpen; uStyle <= asThroughZero; ++uStyle) {
        copy.SetAxisStyle(uStyle);
        EXPECT_TRUE(allBoundsFinite(*copy.BuildDrawing())) << int(uStyle);
    }
}

TEST(PlotRecord, WritingIgnoresAndKeepsTheStreamsFormat)
{
    Plot plot;
    plot.SetRatio(2.5);
    plot.SetMainTitleColor(16711680);
    std::ostringstream out;
    out.imbue(std::locale(std::locale::classic(), new CommaNumbers));
    out.setf(std::ios_base::fixed | std::ios_base::showpos);
    out.precision(2);
    plot.Write(out, kVersion20, false);
    const std::string s = out.str();
    EXPECT_NE(s.find(" 0.4 0.2 2.5 "), std::string::npos) << s;
    EXPECT_NE(s.find(" 16711680 "), std::string::npos) << s;
    // The caller's format is back in force.
    out.str("");
    out << 1234.5;
    EXPECT_EQ(out.str(), "+1.234,50");
}

TEST(PlotKinds, InteractionAndContourPlotsGrowAndShrink)
{
    InteractionPlot interaction;
    EXPECT_EQ(interaction.Kind(), 1);
    interaction.AddValueLine("a", "1", 0, 0, 1);
    interaction.AddValueLine("b", "5", 0, 0, 1);
    SetNumberOfLines(interaction, 5);
    ASSERT_EQ(interaction.NumberOfLines(), 5u);
    EXPECT_EQ(interaction.Line(1)->ValueText, "5");
    EXPECT_EQ(interaction.Line(2)->ValueText, "4");
    EXPECT_EQ(interaction.Line(5)->ValueText, "1");
    EXPECT_EQ(interaction.Line(3)->Thickness, 0.2);
    EXPECT_EQ(interaction.Line(3)->Color, 0x800000u);  // position 3 of the colour cycle
    EXPECT_TRUE(interaction.AutoScalePending());
    EXPECT_TRUE(interaction.LinesDirty());
    EXPECT_TRUE(interaction.Changed());
    EXPECT_TRUE(interaction.Modified());
    SetNumberOfLines(interaction, 2);
    EXPECT_EQ(interaction.NumberOfLines(), 2u);
    EXPECT_EQ(interaction.Line(2)->ValueText, "4");  // shrinking keeps the values

    ContourPlot contour;
    EXPECT_EQ(contour.Kind(), 2);
    SetNumberOfContours(contour, 3);
    ASSERT_EQ(contour.NumberOfLines(), 3u);
    EXPECT_EQ(contour.Line(3)->ValueText, "3");
    EXPECT_EQ(contour.Line(3)->Value, Real(3.0));
    EXPECT_EQ(contour.Line(1)->Style, 1);

    // Each operation belongs to its kind.
    Plot ordinary;
    SetNumberOfLines(ordinary, 3);
    SetNumberOfContours(ordinary, 3);
    SetNumberOfLines(contour, 9);
    EXPECT_EQ(ordinary.NumberOfLines(), 0u);
    EXPECT_EQ(contour.NumberOfLines(), 3u);
}
