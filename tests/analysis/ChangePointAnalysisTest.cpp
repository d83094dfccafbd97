// The analysis object: variation series, summaries, display defaults, CUSUMs, warnings,
// halting.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/ChangePointAnalysis.h"

using namespace HalvrennInc;

namespace {

SelectedSeries Series(const std::vector<double>& values)
{
    SelectedSeries series;
    series.sName = "Thickness";
    series.sLabelName = "Row";
    series.sDataSource = "Data: Sheet 1, Column B, Rows 1 - 7";
    series.uValuesPerPeriod = 1;
    for (std::size_t i = 0; i < values.size(); ++i) {
        series.prPointPeriods.emplace_back(static_cast<double>(i));
        series.prPointValues.emplace_back(values[i]);
        series.prPeriodPositions.emplace_back(static_cast<double>(i));
        series.psPeriodLabels.emplace_back(std::to_string(i + 1));
    }
    return series;
}

struct Recorder {
    std::vector<int> codes;
    std::vector<double> numbers;
    std::vector<std::string> titles;
    std::string haltAtTitle;  //!< answer false once this title arrives
    bool bHaltOnWarning = false;
    bool bHalting = false;

    static bool Callback(void* pContext, int iCode, const char* psText, double dNumber)
    {
        auto& self = *static_cast<Recorder*>(pContext);
        self.codes.push_back(iCode);
        self.numbers.push_back(dNumber);
        if (iCode == scTitle && psText) {
            self.titles.emplace_back(psText);
            if (self.titles.back() == self.haltAtTitle) self.bHalting = true;
        }
        if ((iCode == scSerialCorrelation || iCode == scOutliers) && self.bHaltOnWarning) self.bHalting = true;
        return !self.bHalting;
    }
};

std::vector<double> Shifted(std::size_t n, std::size_t at, double low, double high)
{
    std::vector<double> values;
    for (std::size_t i = 0; i < n; ++i) {
        const double noise = 0.3 * std::sin(1.7 * static_cast<double>(i) * static_cast<double>(i));
        values.push_back((i < at ? low : high) + noise);
    }
    return values;
}

}  // namespace

TEST(ChangePointAnalysis, PairsOfValuesFormTheVariationSeries)
{
    SeedUniformRandom(1);
    ChangePointAnalysis analysis(Series({1, 3, 2, 2, 10, 4, 7}), AnalysisOptions(), nullptr, nullptr);
    EXPECT_FALSE(analysis.Halted());
    EXPECT_EQ(analysis.sCaption, "Analysis Results - Thickness");
    ASSERT_EQ(analysis.uNumberVariation(), 3u);  // pairs 0-1, 2-3, 4-5; the seventh value has none
    EXPECT_EQ(analysis.prVariationPeriods[0].value(), 1.0);
    EXPECT_EQ(analysis.prVariationPeriods[2].value(), 5.0);
    EXPECT_EQ(analysis.prVariationValues[0].value(), 2.0 / 1.414213562373);
    EXPECT_EQ(analysis.prVariationValues[1].value(), 0.0);
    EXPECT_EQ(analysis.prVariationValues[2].value(), 6.0 / 1.414213562373);

    EXPECT_DOUBLE_EQ(analysis.rMeanValues.value(), 29.0 / 7.0);
    EXPECT_EQ(analysis.rMedianVariation.value(), 2.0 / 1.414213562373);
    EXPECT_DOUBLE_EQ(analysis.rMeanVariation.value(), 8.0 / 1.414213562373 / 3.0);

    // CUSUM charts: one extra point at 0, one period before the first.
    ASSERT_EQ(analysis.prValuesCusumX.size(), 8u);
    EXPECT_EQ(analysis.prValuesCusumX[0].value(), -1.0);
    EXPECT_EQ(analysis.prValuesCusumY[0].value(), 0.0);
    EXPECT_NEAR(analysis.prValuesCusumY[7].value(), 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(analysis.prValuesCusumY[1].value(), 1 - 29.0 / 7.0);
    ASSERT_EQ(analysis.prVariationCusumX.size(), 4u);
    EXPECT_EQ(analysis.prVariationCusumX[0].value(), -1.0);  // 2 x 1 - 3
    EXPECT_EQ(analysis.prVariationCusumX[3].value(), 5.0);

    // Fewer than ten values: the assumption tests do not run.
    EXPECT_EQ(analysis.dSerialCorrelation, -1.0);
    EXPECT_FALSE(analysis.bOutliers);
    EXPECT_EQ(analysis.prValuesUCL.size(), 7u);
    EXPECT_EQ(analysis.prValuesUpper.size(), 7u);
}

TEST(ChangePointAnalysis, DisplayDefaultsFollowTheSpreadOfTheVariation)
{
    SeedUniformRandom(2);
    // Pairs of equal values: every variation value is 0.
    ChangePointAnalysis flat(Series({5, 5, 6, 6, 7, 7, 8, 8}), AnalysisOptions(), nullptr, nullptr);
    EXPECT_TRUE(flat.display.bUseAverage);
    EXPECT_EQ(flat.display.uValuesBackground, 1);
    EXPECT_FALSE(flat.display.bValuesLimits);
    EXPECT_FALSE(flat.display.bVariationLimits);
    EXPECT_TRUE(flat.display.bValuesConnect);
    EXPECT_TRUE(flat.display.bVariationCusumBackground);

    ChangePointAnalysis ordinary(Series({5, 6, 6, 8, 7, 4, 8, 9}), AnalysisOptions(), nullptr, nullptr);
    EXPECT_FALSE(ordinary.display.bUseAverage);
    EXPECT_EQ(ordinary.display.uValuesBackground, 3);
    EXPECT_TRUE(ordinary.display.bValuesLimits);

    // Median 0 but mean not: the average is used, limits stay on.
    const DisplaySettings mixed = ChangePointAnalysis::DefaultDisplaySettings(Real(0.5), Real(0));
    EXPECT_TRUE(mixed.bUseAverage);
    EXPECT_EQ(mixed.uValuesBackground, 3);
    EXPECT_TRUE(mixed.bValuesLimits);
}

TEST(ChangePointAnalysis, RanksDriveTheProcedureButNotTheMeanOfValues)
{
    SeedUniformRandom(3);
    SelectedSeries series = Series({1, 100, 2, 3, 1000, 4});
    series.bRanks = true;
    ChangePointAnalysis analysis(std::move(series), AnalysisOptions(), nullptr, nullptr);
    EXPECT_EQ(analysis.sCaption, "Analysis Results - Thickness Ranks");
    EXPECT_DOUBLE_EQ(analysis.rMeanValues.value(), 1110.0 / 6.0);
    // Ranks 1, 5, 2, 3, 6, 4 with mean 3.5: the CUSUM climbs by rank - 3.5.
    const double expected[] = {0, -2.5, -1.0, -2.5, -3.0, -0.5, 0.0};
    for (int i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ(analysis.prValuesCusumY[i].value(), expected[i]) << i;
}

TEST(ChangePointAnalysis, FindsAShiftAndItsLevels)
{
    SeedUniformRandom(4);
    ChangePointAnalysis analysis(Series(Shifted(50, 25, 10, 20)), AnalysisOptions(), nullptr, nullptr);
    ASSERT_FALSE(analysis.Halted());
    ASSERT_EQ(analysis.valuesChanges.count(), 1u);
    EXPECT_EQ(analysis.ValuesChange(1).uPosition, 24u);
    EXPECT_GT(analysis.ValuesChange(1).rConfidence.value(), 95.0);
    EXPECT_EQ(analysis.MaxLevelValues(), 1u);
    EXPECT_EQ(analysis.MaxLevelVariation(), analysis.variationChanges.count() ? 1u : 0u);
}

TEST(ChangePointAnalysis, WarningsGoThroughTheCallbackAndCanHalt)
{
    // Strictly alternating values: negative serial correlation, code 7 near 100.
    std::vector<double> alternating;
    for (int i = 0; i < 40; ++i) alternating.push_back(i % 2 ? 10.0 + 0.01 * i : 5.0 - 0.01 * i);
    Recorder recorder;
    SeedUniformRandom(5);
    ChangePointAnalysis warned(Series(alternating), AnalysisOptions(), &Recorder::Callback, &recorder);
    ASSERT_FALSE(recorder.codes.empty());
    EXPECT_EQ(recorder.codes.front(), scSerialCorrelation);
    EXPECT_GE(recorder.numbers.front(), 97.5);
    EXPECT_FALSE(warned.Halted());

    Recorder halting;
    halting.bHaltOnWarning = true;
    ChangePointAnalysis halted(Series(alternating), AnalysisOptions(), &Recorder::Callback, &halting);
    EXPECT_TRUE(halted.Halted());
    EXPECT_EQ(halted.valuesChanges.count(), 0u);
    EXPECT_EQ(halting.codes.size(), 1u);  // nothing runs after the halted warning

    EXPECT_TRUE(IndependenceViolated(2.5));
    EXPECT_TRUE(IndependenceViolated(0));
    EXPECT_TRUE(IndependenceViolated(97.5));
    EXPECT_FALSE(IndependenceViolated(2.6));
    EXPECT_FALSE(IndependenceViolated(97.4));
    EXPECT_FALSE(IndependenceViolated(-1));
}

TEST(ChangePointAnalysis, HaltingDuringTheVariationKeepsTheValuesChangesButMarksTheWholeRun)
{
    SeedUniformRandom(6);
    Recorder recorder;
    recorder.haltAtTitle = "Please Wait - Analyzing Variation";
    ChangePointAnalysis analysis(Series(Shifted(60, 30, 10, 20)), AnalysisOptions(), &Recorder::Callback, &recorder);
    EXPECT_TRUE(analysis.Halted());
    EXPECT_EQ(analysis.valuesChanges.count(), 1u);
    EXPECT_EQ(analysis.variationChanges.count(), 0u);
    EXPECT_EQ(recorder.titles.front(), "Please Wait - Analyzing Values");
}

TEST(ChangePointAnalysis, TheSameSeedGivesTheSameChanges)
{
    auto run = [] {
        SeedUniformRandom(77);
        ChangePointAnalysis analysis(Series(Shifted(80, 40, 3, 4)), AnalysisOptions(), nullptr, nullptr);
        std::vector<std::pair<std::uint32_t, double>> list;
        for (const ChangeStructure* c : ChangeList(analysis.valuesChanges))
            list.emplace_back(c->uPosition, c->rConfidence.value());
        return list;
    };
    EXPECT_EQ(run(), run());
}

TEST(ChangePointAnalysis, WarningTextsNameTheDirectionAndConfidence)
{
    EXPECT_EQ(SerialCorrelationWarning(0).str(),
              "Violation of assumption of independent errors.  With 100% confidence errors have positive correlation."
              "  See assumption tab when analysis is completed!");
    EXPECT_EQ(SerialCorrelationWarning(1.2).str(),
              "Violation of assumption of independent errors.  With 99% confidence errors have positive correlation."
              "  See assumption tab when analysis is completed!");
    EXPECT_EQ(SerialCorrelationWarning(99.3).str(),
              "Violation of assumption of independent errors.  With 99% confidence errors have negative correlation."
              "  See assumption tab when analysis is completed!");
    EXPECT_EQ(SerialCorrelationWarning(2.5, true).str(),
              "Violation of assumption of independent errors.  With 98% confidence data has positive correlation."
              "  See assumption tab when analysis is completed!");
}

TEST(ChangePointAnalysis, TheScaleOfTheDataChangesNoFinding)
{
    // A level shift with a change of spread; the same seed at every scale from 1e-150 to
    // 1e150 (the number type's whole range, less room for the sums) finds the same changes
    // in the values and in the variation, and the means scale with the data.
    struct Finding {
        std::uint32_t uPosition, uLevel, uLower, uUpper;
        double dConfidence;
        bool operator==(const Finding&) const = default;
    };
    auto findings = [](const ListPointers& changes) {
        std::vector<Finding> list;
        for (const ChangeStructure* c : ChangeList(changes))
            list.push_back({c->uPosition, c->uLevel, c->uIntervalLower, c->uIntervalUpper, c->rConfidence.value()});
        return list;
    };
    std::vector<double> base = Shifted(90, 30, 10, 11.5);
    for (std::size_t i = 60; i < base.size(); ++i) base[i] = 10.5 + 3 * (base[i] - 11.5);
    AnalysisOptions options;
    ASSERT_FALSE(options.Set("400", "90", "95", false));

    SeedUniformRandom(1);
    const ChangePointAnalysis reference(Series(base), options, nullptr, nullptr);
    const auto referenceValues = findings(reference.valuesChanges);
    const auto referenceVariation = findings(reference.variationChanges);
    ASSERT_GE(referenceValues.size(), 2u);
    ASSERT_GE(referenceVariation.size(), 1u);

    for (int iPower = -150; iPower <= 150; iPower += 15) {
        const double dScale = std::pow(10.0, iPower);
        std::vector<double> scaled;
        for (const double d : base) scaled.push_back(d * dScale);
        SeedUniformRandom(1);
        const ChangePointAnalysis analysis(Series(scaled), options, nullptr, nullptr);
        SCOPED_TRACE("scale 1e" + std::to_string(iPower));
        EXPECT_EQ(findings(analysis.valuesChanges), referenceValues);
        EXPECT_EQ(findings(analysis.variationChanges), referenceVariation);
        EXPECT_EQ(analysis.dSerialCorrelation, reference.dSerialCorrelation);
        EXPECT_EQ(analysis.bOutliers, reference.bOutliers);
        EXPECT_NEAR(analysis.rMeanValues.value() / dScale, reference.rMeanValues.value(), 1e-12);
        EXPECT_NEAR(analysis.rMedianVariation.value() / dScale, reference.rMedianVariation.value(), 1e-12);
        EXPECT_NEAR(analysis.prValuesCusumY[40].value() / dScale, reference.prValuesCusumY[40].value(), 1e-9);
    }
}
