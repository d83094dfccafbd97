// Helpers of the results tests: analyses filled by hand or from a seeded series, and the
// texts of a drawing by their place.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "../graphics/PlotTestSupport.h"
#include "analysis/ChangePointAnalysis.h"
#include "graphics/Line.h"
#include "graphics/Rect.h"
#include "graphics/Text.h"

namespace HalvrennInc::testing {

//! n points with period = index and labels "P1", "P2", ...; with m = 1 the variation
//! series of pairs as the analysis forms it; summaries, CUSUMs and default settings.
inline void Fill(ChangePointAnalysis& analysis, const std::vector<double>& values, std::uint32_t m = 1)
{
    analysis.sName = "Sales";
    analysis.sLabelName = "Month";
    analysis.sLevel = "90";
    analysis.sInterval = "95";
    analysis.sTrials = "1000";
    analysis.uValuesPerPeriod = m;
    for (std::size_t i = 0; i < values.size(); ++i) {
        analysis.prPointPeriods.emplace_back(double(i));
        analysis.prPointValues.emplace_back(values[i]);
        analysis.prPeriodPositions.emplace_back(double(i));
        analysis.psPeriodLabels.emplace_back("P" + std::to_string(i + 1));
    }
    for (std::size_t i = 0; m == 1 && 2 * i + 1 < values.size(); ++i) {
        analysis.prVariationPeriods.emplace_back(double(2 * i + 1));
        analysis.prVariationValues.push_back(abs(Real(values[2 * i + 1]) - Real(values[2 * i])) / Real(kSquareRootTwo));
    }
    SegmentMean(0, std::uint32_t(values.size() - 1), analysis.prPointValues.data(), analysis.rMeanValues);
    if (const auto v = std::uint32_t(analysis.prVariationValues.size())) {
        SegmentMean(0, v - 1, analysis.prVariationValues.data(), analysis.rMeanVariation);
        SegmentMedian(0, v - 1, analysis.prVariationValues.data(), analysis.rMedianVariation);
    }
    analysis.ComputeCusums();
    analysis.display = ChangePointAnalysis::DefaultDisplaySettings(analysis.rMeanVariation, analysis.rMedianVariation);
}

inline void AddChange(ListPointers& list, std::uint32_t position, double confidence, std::uint32_t level,
                      std::uint32_t lower, std::uint32_t upper)
{
    auto* pChange = new ChangeStructure;
    pChange->uPosition = position;
    pChange->rConfidence = confidence;
    pChange->uLevel = level;
    pChange->uIntervalLower = lower;
    pChange->uIntervalUpper = upper;
    list.append(pChange);
}

//! The selection of a series of individual values: period = index, labels "1", "2", ...
inline SelectedSeries SeriesOf(const std::vector<double>& values)
{
    SelectedSeries series;
    series.sName = "Sales";
    series.sLabelName = "Month";
    series.uValuesPerPeriod = 1;
    for (std::size_t i = 0; i < values.size(); ++i) {
        series.prPointPeriods.emplace_back(double(i));
        series.prPointValues.emplace_back(values[i]);
        series.prPeriodPositions.emplace_back(double(i));
        series.psPeriodLabels.emplace_back(std::to_string(i + 1));
    }
    return series;
}

//! iCount values around 10, 14 and 11 (shifts after the first and second thirds) with
//! seeded normal noise of standard deviation 1.
inline std::vector<double> ShiftedValues(int iCount = 60)
{
    std::mt19937 generator(20240611);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<double> values;
    for (int i = 0; i < iCount; ++i)
        values.push_back((i < iCount / 3 ? 10 : i < 2 * iCount / 3 ? 14 : 11) + noise(generator));
    return values;
}

//! The text whose top lies at y and whose centre at x, or null.
inline const Text* textAt(const Drawing& drawing, double x, double y)
{
    for (const Text* pText : objectsOf<Text>(drawing, dtText))
        if (pText->X() == x && pText->Y() == y) return pText;
    return nullptr;
}

inline std::string contentAt(const Drawing& drawing, double x, double y)
{
    const Text* pText = textAt(drawing, x, y);
    return pText ? pText->Content().str() : std::string("<none>");
}

}  // namespace HalvrennInc::testing
