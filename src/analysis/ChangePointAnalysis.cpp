// Ostrel-Vane Studio - one analysis of one series.
#include "analysis/ChangePointAnalysis.h"

#include <algorithm>
#include <utility>

#include "analysis/MagnitudeScale.h"

namespace HalvrennInc {

namespace {

Real MeanOf(const std::vector<Real>& prValues)
{
    Real rMean;
    if (!prValues.empty()) SegmentMean(0, static_cast<std::uint32_t>(prValues.size() - 1), prValues.data(), rMean);
    return rMean;
}

Real MedianOf(const std::vector<Real>& prValues)
{
    Real rMedian;
    if (!prValues.empty()) SegmentMedian(0, static_cast<std::uint32_t>(prValues.size() - 1), prValues.data(), rMedian);
    return rMedian;
}

std::vector<Real> RanksOf(const std::vector<Real>& prValues)
{
    std::vector<Real> prRanks(prValues.size());
    if (!prValues.empty()) ComputeRanks(static_cast<std::uint32_t>(prValues.size()), prValues.data(), prRanks.data());
    return prRanks;
}

// The cumulative sums of x - mean, starting with an extra point at 0 one step before the
// first one.
void Cusum(const std::vector<Real>& prX, const std::vector<Real>& prY, const Real& rStartX, std::vector<Real>& prCusumX,
           std::vector<Real>& prCusumY)
{
    const Real rCentre = MeanOf(prY);
    prCusumX.assign(prX.size() + 1, Real());
    prCusumY.assign(prY.size() + 1, Real());
    prCusumX[0] = rStartX;
    prCusumY[0] = 0.0;
    for (std::size_t i = 1; i <= prY.size(); ++i) {
        prCusumX[i] = prX[i - 1];
        prCusumY[i] = prCusumY[i - 1] + (prY[i - 1] - rCentre);
    }
}

// The values as the procedure sees them: moved into the band it works in when they lie
// outside it (a series too wide for any scale was refused before it got here and is
// analysed as it stands). Positions, confidences, levels and intervals do not depend on
// the scale, so nothing found needs scaling back.
std::vector<Real> ProcedureValues(std::vector<Real> prValues)
{
    const int iExponent = ProcedureScaleExponent(prValues).value_or(0);
    return iExponent == 0 ? prValues : ScaledValues(prValues, iExponent);
}

std::uint32_t MaxLevel(const ListPointers& changes)
{
    std::uint32_t uMax = 0;
    for (std::uint32_t k = 1; k <= changes.count(); ++k)
        uMax = std::max(uMax, changes.itemAs<ChangeStructure>(k)->uLevel);
    return uMax;
}

}  // namespace

ChangePointAnalysis::ChangePointAnalysis() = default;

ChangePointAnalysis::ChangePointAnalysis(SelectedSeries series, const AnalysisOptions& options,
                                         StatusCallback pCallback, void* pContext, const TrialSettings& settings)
    : m_pCallback(pCallback), m_pContext(pContext), m_settings(settings)
{
    sName = std::move(series.sName);
    sLabelName = std::move(series.sLabelName);
    sDataSource = std::move(series.sDataSource);
    bRanks = series.bRanks;
    sCaption = String("Analysis Results - ") + sName.view();
    if (bRanks) sCaption.append(" Ranks");

    sTrials = options.sTrials;
    uTrials = options.uTrials;
    sLevel = options.sLevel;
    dLevel = options.dLevel;
    sInterval = options.sInterval;
    dInterval = options.dInterval;
    bWithReplacement = options.bWithReplacement;

    uValuesPerPeriod = series.uValuesPerPeriod;
    prPointPeriods = std::move(series.prPointPeriods);
    prPointValues = std::move(series.prPointValues);
    prPeriodPositions = std::move(series.prPeriodPositions);
    psPeriodLabels = std::move(series.psPeriodLabels);
    if (!series.prVariationValues.empty() && series.prVariationPeriods.size() == series.prVariationValues.size()) {
        prVariationPeriods = std::move(series.prVariationPeriods);
        prVariationValues = std::move(series.prVariationValues);
    } else {
        FormVariationSeries();
    }

    ComputeSummaries();
    display = DefaultDisplaySettings(rMeanVariation, rMedianVariation);
    Run();
}

ChangePointAnalysis::~ChangePointAnalysis()
{
    ClearChanges(valuesChanges);
    ClearChanges(variationChanges);
}

void ChangePointAnalysis::FormVariationSeries()
{
    // Each non-overlapping pair of consecutive values gives one estimate of the standard
    // deviation with one degree of freedom; an odd last value has no partner.
    const std::size_t v = prPointValues.size() / 2;
    prVariationPeriods.assign(v, Real());
    prVariationValues.assign(v, Real());
    for (std::size_t i = 0; i < v; ++i) {
        prVariationPeriods[i] = prPointPeriods[2 * i + 1];
        prVariationValues[i] = abs(prPointValues[2 * i + 1] - prPointValues[2 * i]) / Real(kSquareRootTwo);
    }
}

void ChangePointAnalysis::ComputeSummaries()
{
    rMeanValues = MeanOf(prPointValues);
    rMedianVariation = MedianOf(prVariationValues);
    rMeanVariation = MeanOf(prVariationValues);
}

DisplaySettings ChangePointAnalysis::DefaultDisplaySettings(const Real& rMeanVariation, const Real& rMedianVariation)
{
    DisplaySettings settings;
    settings.bUseAverage = rMedianVariation == Real(0);
    const bool bNoSpread = rMedianVariation == Real(0) && rMeanVariation == Real(0);
    settings.uValuesBackground = bNoSpread ? 1 : 3;
    settings.bValuesLimits = !bNoSpread;
    settings.bVariationLimits = !bNoSpread;
    return settings;
}

std::vector<Real> ChangePointAnalysis::AnalysedValues() const
{
    return bRanks ? RanksOf(prPointValues) : prPointValues;
}

std::vector<Real> ChangePointAnalysis::AnalysedVariation() const
{
    return bRanks ? RanksOf(prVariationValues) : prVariationValues;
}

void ChangePointAnalysis::ComputeCusums()
{
    ComputeCusums(AnalysedValues(), AnalysedVariation());
}

void ChangePointAnalysis::ComputeCusums(const std::vector<Real>& prValues, const std::vector<Real>& prVariation)
{
    // One period before period 0: twice the position of period 0 minus that of period 1.
    const Real rValuesStart =
        prPeriodPositions.size() >= 2 ? Real(2) * prPeriodPositions[0] - prPeriodPositions[1] : Real(-1);
    Cusum(prPointPeriods, prValues, rValuesStart, prValuesCusumX, prValuesCusumY);

    const Real rVariationStart = prVariationPeriods.size() >= 2
                                     ? Real(2) * prVariationPeriods[0] - prVariationPeriods[1]
                                     : (prVariationPeriods.empty() ? Real(-1) : prVariationPeriods[0] - Real(1));
    Cusum(prVariationPeriods, prVariation, rVariationStart, prVariationCusumX, prVariationCusumY);
}

bool ChangePointAnalysis::Report(int iCode, double dNumber)
{
    return !m_pCallback || m_pCallback(m_pContext, iCode, nullptr, dNumber);
}

void ChangePointAnalysis::RerunAssumptionTests()
{
    const std::vector<Real> prValues = ProcedureValues(AnalysedValues());
    TestSerialCorrelation(static_cast<std::uint32_t>(prValues.size()), prValues.data(), dSerialCorrelation);
    bOutliers = TestOutliers(static_cast<std::uint32_t>(prValues.size()), prValues.data());
}

void ChangePointAnalysis::Run()
{
    const std::uint32_t n = uNumberPoints();
    const std::uint32_t v = uNumberVariation();
    const std::uint32_t p = uNumberPeriods();
    prValuesUCL.assign(p, Real());
    prValuesLCL.assign(p, Real());
    prVariationUCL.assign(p, Real());
    prVariationLCL.assign(p, Real());
    prValuesUpper.assign(n, Real());
    prValuesLower.assign(n, Real());

    std::vector<Real> prValues = AnalysedValues();
    std::vector<Real> prVariation = AnalysedVariation();
    ComputeCusums(prValues, prVariation);
    prValues = ProcedureValues(std::move(prValues));
    prVariation = ProcedureValues(std::move(prVariation));

    m_bHalted = false;
    TestSerialCorrelation(n, prValues.data(), dSerialCorrelation);
    if (IndependenceViolated(dSerialCorrelation)) m_bHalted = !Report(scSerialCorrelation, dSerialCorrelation);
    if (!m_bHalted) {
        bOutliers = TestOutliers(n, prValues.data());
        if (bOutliers) m_bHalted = !Report(scOutliers, 0);
    }
    if (!m_bHalted && n > 0)
        m_bHalted = !AnalyzeChanges(0, n - 1, prValues.data(), valuesChanges, uTrials, dLevel, dInterval,
                                    bWithReplacement, "Values", m_pCallback, m_pContext, m_settings);
    if (!m_bHalted && v > 0)
        m_bHalted = !AnalyzeChanges(0, v - 1, prVariation.data(), variationChanges, uTrials, dLevel, dInterval,
                                    bWithReplacement, "Variation", m_pCallback, m_pContext, m_settings);
}

std::uint32_t ChangePointAnalysis::MaxLevelValues() const
{
    return MaxLevel(valuesChanges);
}
std::uint32_t ChangePointAnalysis::MaxLevelVariation() const
{
    return MaxLevel(variationChanges);
}

String SerialCorrelationWarning(double dResult, bool bStoredData)
{
    // Up to 50 the values run in streaks (positive correlation, confidence 100 - x); above
    // it they alternate (negative correlation, confidence x).
    const bool bPositive = dResult <= 50;
    String sText("Violation of assumption of independent errors.  With ");
    sText.append(Real(bPositive ? 100 - dResult : dResult).toText(2, true).view());
    sText.append(bStoredData ? "% confidence data has " : "% confidence errors have ");
    sText.append(bPositive ? "positive" : "negative");
    sText.append(" correlation.  See assumption tab when analysis is completed!");
    return sText;
}

std::vector<const ChangeStructure*> ChangeList(const ListPointers& changes)
{
    std::vector<const ChangeStructure*> list;
    list.reserve(changes.count());
    for (std::uint32_t k = 1; k <= changes.count(); ++k) list.push_back(changes.itemAs<ChangeStructure>(k));
    return list;
}

}  // namespace HalvrennInc
