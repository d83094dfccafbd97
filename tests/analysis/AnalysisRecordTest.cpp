// The stored form of an analysis: the layout written, a full analysis coming back field
// for field, the first version's record with its shifted indexes and scaled variation,
// and the refusal of every value the analysis cannot hold.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/AnalysisRecord.h"
#include "analysis/ChangePointAnalysis.h"
#include "platform/ScriptedUserMessages.h"

using namespace HalvrennInc;

namespace {

const Real kVersion2{2.0};
const Real kVersion1{1.0};

void AddChange(ListPointers& changes, std::uint32_t uPosition, double dConfidence, std::uint32_t uLevel,
               std::uint32_t uUpper, std::uint32_t uLower)
{
    changes.append(new ChangeStructure{uPosition, Real(dConfidence), uLevel, uUpper, uLower});
}

// Six points in six periods, one level change, three variation points.
void FillSmallAnalysis(ChangePointAnalysis& a)
{
    a.sName = "Weight \"kg\"";
    a.sLabelName = "Day";
    a.sDataSource = "Data: Sheet 1, Column B, Rows 2 - 7";
    a.sCaption = "Analysis Results - Weight \"kg\"";
    a.sTrials = "500";
    a.uTrials = 500;
    a.sLevel = "95";
    a.dLevel = 95;
    a.sInterval = "90";
    a.dInterval = 90;
    a.bWithReplacement = true;
    const double values[] = {1, 2, 1.5, 7, 8, 7.5};
    for (int i = 0; i < 6; ++i) {
        a.prPointPeriods.emplace_back(double(i));
        a.prPointValues.emplace_back(values[i]);
        a.prPeriodPositions.emplace_back(double(i));
        a.psPeriodLabels.emplace_back("D" + std::to_string(i + 1));
    }
    for (int j = 0; j < 3; ++j) {
        a.prVariationPeriods.emplace_back(double(2 * j + 1));
        a.prVariationValues.emplace_back(0.5 * (j + 1));
    }
    AddChange(a.valuesChanges, 2, 99.5, 1, 3, 1);
    a.dSerialCorrelation = -1;
    a.rMeanValues = 4.5;
    a.rMeanVariation = 1;
    a.rMedianVariation = 1;
    a.ComputeCusums();
}

std::string Written(const ChangePointAnalysis& analysis)
{
    std::ostringstream out;
    WriteAnalysisRecord(out, analysis);
    return out.str();
}

// Reads a record; true when it was read whole, with the failure flag clear.
bool ReadsWhole(const std::string& sText, ChangePointAnalysis& analysis, const Real& version = kVersion2)
{
    ScriptedUserMessages messages;
    std::istringstream in(sText);
    clearReadFailure();
    const bool bRead = ReadAnalysisRecord(in, version, analysis, messages);
    EXPECT_EQ(bRead, !readFailed()) << "the answer and the flag disagree";
    return bRead;
}

std::vector<std::string> Lines(const std::string& sText)
{
    std::vector<std::string> lines;
    std::istringstream in(sText);
    for (std::string sLine; std::getline(in, sLine);) lines.push_back(sLine);
    return lines;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string sText;
    for (const std::string& sLine : lines) sText += sLine + "\n";
    return sText;
}

// Numbers are stored to fifteen significant digits.
void ExpectSameNumbers(const std::vector<Real>& prRead, const std::vector<Real>& prOriginal)
{
    ASSERT_EQ(prRead.size(), prOriginal.size());
    for (std::size_t i = 0; i < prRead.size(); ++i)
        EXPECT_NEAR(prRead[i].value(), prOriginal[i].value(), 1e-14 * std::fabs(prOriginal[i].value())) << i;
}

std::vector<double> Values(const std::vector<Real>& prValues)
{
    std::vector<double> values;
    for (const Real& r : prValues) values.push_back(r.value());
    return values;
}

}  // namespace

TEST(AnalysisRecord, WritesTheLinesOfTheFile)
{
    ChangePointAnalysis analysis;
    FillSmallAnalysis(analysis);
    analysis.display.uValuesBackground = 2;
    analysis.display.bValuesConnect = false;
    const std::vector<std::string> lines = Lines(Written(analysis));
    ASSERT_EQ(lines.size(), 39u);
    EXPECT_EQ(lines[0],
              R"("Weight ""kg"""  "Day"  "Data: Sheet 1, Column B, Rows 2 - 7"  "Analysis Results - Weight ""kg""" )");
    EXPECT_EQ(lines[1], R"("500" "95" "90"  1 0)");
    EXPECT_EQ(lines[2], "1");
    EXPECT_EQ(lines[3], "6 6");
    EXPECT_EQ(lines[4], "0  1 ");
    EXPECT_EQ(lines[6], "2  1.5 ");
    EXPECT_EQ(lines[10], R"(0  "D1" )");
    EXPECT_EQ(lines[16], "1");
    EXPECT_EQ(lines[17], "2 99.5  1 3 1");
    EXPECT_EQ(lines[18], "0");
    EXPECT_EQ(lines[19], "-1 0");
    EXPECT_EQ(lines[20], "4.5  1  1 ");
    EXPECT_EQ(lines[21], "3");
    EXPECT_EQ(lines[22], "1  0.5 ");
    EXPECT_EQ(lines[25], "7");
    EXPECT_EQ(lines[26], "-1  0 ");  // one period before period 0
    EXPECT_EQ(lines[33], "4");
    EXPECT_EQ(lines[38], "2 0 1 0 1 1 1 1 1");

    // The percentile is a plain number: six significant digits.
    analysis.dSerialCorrelation = 97.51234567;
    analysis.bOutliers = true;
    EXPECT_EQ(Lines(Written(analysis))[19], "97.5123 1");
}

TEST(AnalysisRecord, AFullAnalysisComesBackFieldForField)
{
    SelectedSeries series;
    series.sName = "Thickness";
    series.sLabelName = "Lot";
    series.sDataSource = "Data: Sheet 2, Column C, Rows 2 - 61";
    series.bRanks = true;
    series.uValuesPerPeriod = 1;
    for (int i = 0; i < 60; ++i) {
        series.prPointPeriods.emplace_back(double(i));
        series.prPointValues.emplace_back((i < 30 ? 10.0 : 13.0) + 0.4 * std::sin(1.3 * i * i));
        series.prPeriodPositions.emplace_back(double(i));
        series.psPeriodLabels.emplace_back("L" + std::to_string(i + 1));
    }
    AnalysisOptions options;
    ASSERT_FALSE(options.Set("400", "92.5", "85", true));
    SeedUniformRandom(17);
    ChangePointAnalysis original(std::move(series), options, nullptr, nullptr);
    ASSERT_GE(original.valuesChanges.count(), 1u);
    original.display.bUseAverage = true;
    original.display.uValuesBackground = 1;
    original.display.bVariationCusumBackground = false;

    const std::string sText = Written(original);
    ChangePointAnalysis read;
    ASSERT_TRUE(ReadsWhole(sText, read));
    EXPECT_EQ(Written(read), sText);

    EXPECT_EQ(read.sName, "Thickness");
    EXPECT_EQ(read.sCaption, "Analysis Results - Thickness Ranks");
    EXPECT_EQ(read.sDataSource, original.sDataSource);
    EXPECT_EQ(read.uTrials, 400u);
    EXPECT_EQ(read.dLevel, 92.5);
    EXPECT_EQ(read.dInterval, 85);
    EXPECT_TRUE(read.bWithReplacement);
    EXPECT_TRUE(read.bRanks);
    ExpectSameNumbers(read.prPointValues, original.prPointValues);
    EXPECT_EQ(read.psPeriodLabels, original.psPeriodLabels);
    ExpectSameNumbers(read.prVariationValues, original.prVariationValues);
    ExpectSameNumbers(read.prValuesCusumY, original.prValuesCusumY);
    ExpectSameNumbers(read.prVariationCusumX, original.prVariationCusumX);
    ASSERT_EQ(read.valuesChanges.count(), original.valuesChanges.count());
    for (std::uint32_t k = 1; k <= read.valuesChanges.count(); ++k) {
        EXPECT_EQ(read.ValuesChange(k).uPosition, original.ValuesChange(k).uPosition);
        EXPECT_EQ(read.ValuesChange(k).rConfidence, original.ValuesChange(k).rConfidence);
        EXPECT_EQ(read.ValuesChange(k).uIntervalLower, original.ValuesChange(k).uIntervalLower);
        EXPECT_EQ(read.ValuesChange(k).uIntervalUpper, original.ValuesChange(k).uIntervalUpper);
        EXPECT_EQ(read.ValuesChange(k).uLevel, original.ValuesChange(k).uLevel);
    }
    EXPECT_EQ(read.variationChanges.count(), original.variationChanges.count());
    EXPECT_NEAR(read.dSerialCorrelation, original.dSerialCorrelation, 1e-4);  // six digits
    EXPECT_EQ(read.bOutliers, original.bOutliers);
    EXPECT_EQ(read.display, original.display);
    ExpectSameNumbers({read.rMeanValues, read.rMedianVariation}, {original.rMeanValues, original.rMedianVariation});
}

TEST(AnalysisRecord, ReadsAFirstVersionRecordWithItsIndexShiftAndScaledVariation)
{
    // Twenty points counted from index 1, rising with one spike: the tests that run again
    // find both positive serial correlation and an outlier.
    const double values[] = {0,    0.8, 1.15, 1.62, 2.26, 2.2,  2.7, 3.8,  4.27, 4.35,
                             25.1, 5.2, 5.93, 6.2,  7.06, 7.29, 8.3, 8.78, 8.74, 9.23};
    std::string sText =
        "7 \"a\" \"b\" \"c\"\n"
        "\"Weight\"  \"Day\"  \"Data: Sheet 1, Column B, Rows 2 - 21\"  \"Analysis Results - Weight\" \n"
        "\"1000\" \"90\" \"95\"  0 0\n"
        "20\n";
    for (int i = 0; i < 20; ++i) {
        std::ostringstream line;
        line << i + 1 << "  " << values[i] << "  \"D" << i + 1 << "\"  3 \"x\" 4 5\n";
        sText += line.str();
    }
    sText +=
        "1\n9 99.5  1 10 8\n0\n"
        "10.1  1.414213562373  2.828427124746 \n"
        "2\n2  1.414213562373 \n4  2.828427124746 \n"
        "3\n0  0 \n1  -2.5 \n2  -4 \n"
        "2\n1  0 \n2  1.414213562373 \n"
        "1 0 1 1 1 0 9\n";

    ChangePointAnalysis a;
    ScriptedUserMessages messages;
    std::istringstream in(sText);
    clearReadFailure();
    ASSERT_TRUE(ReadAnalysisRecord(in, kVersion1, a, messages));
    EXPECT_FALSE(readFailed());

    EXPECT_EQ(a.sName, "Weight");
    EXPECT_EQ(a.uValuesPerPeriod, 1u);
    ASSERT_EQ(a.uNumberPoints(), 20u);
    EXPECT_EQ(a.uNumberPeriods(), 20u);
    EXPECT_EQ(a.prPointPeriods.front().value(), 0);
    EXPECT_EQ(a.prPointPeriods.back().value(), 19);
    EXPECT_EQ(a.prPeriodPositions[7].value(), 7);
    EXPECT_EQ(a.psPeriodLabels[7], "D8");
    EXPECT_EQ(a.prPointValues[10].value(), 25.1);
    EXPECT_EQ(a.ValuesChange(1).uPosition, 9u);

    EXPECT_EQ(a.rMeanValues.value(), 10.1);
    EXPECT_DOUBLE_EQ(a.rMeanVariation.value(), 1);
    EXPECT_DOUBLE_EQ(a.rMedianVariation.value(), 2);
    EXPECT_EQ(Values(a.prVariationPeriods), (std::vector<double>{1, 3}));
    EXPECT_DOUBLE_EQ(a.prVariationValues[0].value(), 1);
    EXPECT_DOUBLE_EQ(a.prVariationValues[1].value(), 2);
    EXPECT_EQ(Values(a.prValuesCusumX), (std::vector<double>{-1, 0, 1}));
    EXPECT_EQ(Values(a.prValuesCusumY), (std::vector<double>{0, -2.5, -4}));  // not scaled
    EXPECT_EQ(Values(a.prVariationCusumX), (std::vector<double>{0, 1}));
    EXPECT_DOUBLE_EQ(a.prVariationCusumY[1].value(), 1);

    const DisplaySettings& d = a.display;
    EXPECT_EQ(d.uValuesBackground, 1);
    EXPECT_FALSE(d.bUseAverage);
    EXPECT_TRUE(d.bValuesLimits);
    EXPECT_TRUE(d.bValuesConnect);
    EXPECT_TRUE(d.bValuesCusumBackground);
    EXPECT_FALSE(d.bVariationCusumBackground);
    EXPECT_TRUE(d.bVariationBackground);
    EXPECT_TRUE(d.bVariationConnect);
    EXPECT_TRUE(d.bVariationLimits);

    // The tests ran again on the stored values, and warned in the words for stored data.
    EXPECT_GE(a.dSerialCorrelation, 0);
    EXPECT_LE(a.dSerialCorrelation, 2.5);
    EXPECT_TRUE(a.bOutliers);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].sCaption, "Warning");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages.shown()[0].sText, SerialCorrelationWarning(a.dSerialCorrelation, true).str());
    EXPECT_NE(messages.shown()[0].sText.find("% confidence data has positive correlation"), std::string::npos);
    EXPECT_EQ(messages.shown()[1].sText, "Data contains outliers.  See assumption tab when analysis is completed!");

    // Without any spread the variation limits start off, as for a new analysis.
    const std::string sNoSpread = sText.replace(sText.find("10.1  1.414213562373  2.828427124746"), 36, "10.1  0  0");
    ChangePointAnalysis flat;
    ASSERT_TRUE(ReadsWhole(sNoSpread, flat, kVersion1));
    EXPECT_FALSE(flat.display.bVariationLimits);
}

TEST(AnalysisRecord, RefusesEveryValueTheAnalysisCannotHold)
{
    ChangePointAnalysis analysis;
    FillSmallAnalysis(analysis);
    const std::vector<std::string> base = Lines(Written(analysis));
    {
        ChangePointAnalysis read;
        ASSERT_TRUE(ReadsWhole(Joined(base), read));
    }
    struct Case {
        const char* psWhat;
        std::size_t uLine;
        const char* psLine;
    };
    const Case cases[] = {
        {"too few trials", 1, R"("99" "95" "90"  1 0)"},
        {"trials not whole", 1, R"("500.5" "95" "90"  1 0)"},
        {"level of 100", 1, R"("500" "100" "90"  1 0)"},
        {"interval below 50", 1, R"("500" "95" "49.9"  1 0)"},
        {"a text where a flag belongs", 1, R"("500" "95" "90"  "1" 0)"},
        {"no values per period", 2, "0"},
        {"more values per period than a sheet has rows", 2, "10001"},
        {"three points", 3, "3 6"},
        {"fewer periods than points", 3, "6 5"},
        {"2^32 + 3 points, which must not wrap to 3", 3, "4294967299 6"},
        {"a point value that is no number", 4, R"(0  "Overflow" )"},
        {"a point period past the periods", 9, "6  7.5 "},
        {"a negative point period", 4, "-1  1 "},
        {"a point period between periods", 5, "1.5  2 "},
        {"a period position that is no number", 10, R"(x  "D1" )"},
        {"a negative change count", 16, "-1"},
        {"a change at the last point", 17, "5 99.5  1 5 4"},
        {"an interval end past the series", 17, "2 99.5  1 6 1"},
        {"changes out of order", 17, "3 99  1 3 3\n2 99  1 2 2"},
        {"two changes at one position", 17, "2 99  1 3 1\n2 98  2 3 1"},
        {"a variation change past the variation series", 18, "1\n2 95  1 2 2"},
        {"a percentile above 100", 19, "101 0"},
        {"a percentile of -2", 19, "-2 0"},
        {"a negative median of the variation", 20, "4.5  1  -0.5 "},
        {"a mean that is no number", 20, R"("Divide by zero"  1  1 )"},
        {"no variation points", 21, "0"},
        {"a count beyond what the file holds", 21, "4294967295"},
        {"no CUSUM points", 25, "0"},
        {"background mode 4", 38, "4 0 1 1 1 1 1 1 1"},
        {"a missing display flag", 38, "3 0 1 1 1 1 1 1"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = base;
        lines[c.uLine] = c.psLine;
        if (std::string(c.psWhat) == "changes out of order" || std::string(c.psWhat) == "two changes at one position")
            lines[16] = "2";
        ChangePointAnalysis read;
        EXPECT_FALSE(ReadsWhole(Joined(lines), read)) << c.psWhat;
    }

    // Cut anywhere, the record fails and never reads past what is there.
    const std::string sWhole = Joined(base);
    for (std::size_t uCut = 0; uCut + 1 < sWhole.size(); ++uCut) {
        ChangePointAnalysis read;
        EXPECT_FALSE(ReadsWhole(sWhole.substr(0, uCut), read)) << "cut at " << uCut;
    }
}
