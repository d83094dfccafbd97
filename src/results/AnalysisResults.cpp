// Ostrel-Vane Studio - one analysis with its tables, charts and report.
#include "results/AnalysisResults.h"

#include <algorithm>

#include "results/ResultsCharts.h"
#include "results/ResultsTables.h"

namespace HalvrennInc {

namespace {

// Stores a setting; false when it already had the value.
template <class T>
bool Store(T& setting, T value)
{
    if (setting == value) return false;
    setting = value;
    return true;
}

// Whether a plot operation changed anything: the layout settings before and after.
template <class Operation>
bool ChangesLayout(Plot* pPlot, Operation operation)
{
    if (!pPlot) return false;
    const double dRatio = pPlot->Ratio();
    const std::uint32_t uLabels = pPlot->XAxisNumberLabels();
    operation(*pPlot);
    return pPlot->Ratio() != dRatio || pPlot->XAxisNumberLabels() != uLabels;
}

void ShowControlLimits(Plot* pPlot, std::uint32_t uUclLine, std::uint32_t uLclLine, bool bOn)
{
    if (!pPlot) return;
    pPlot->SetLineStyle(uUclLine, LimitLineStyle(bOn));
    pPlot->SetLineStyle(uLclLine, LimitLineStyle(bOn));
}

void ConnectPoints(Plot* pPlot, std::uint32_t uLine, bool bOn)
{
    if (!pPlot) return;
    pPlot->SetLineConnectPoints(uLine, bOn);
    pPlot->SetLinePointStyle(uLine, DataPointSymbol(bOn));
}

constexpr double kAllPointsRatio = 2.5;
//! The widest spaced plot: at 150 % it stays within the largest picture a view takes, so
//! that its texts keep their normal size.
constexpr double kWidestSpacedRatio = 100;

void ShowAllPoints(Plot& plot)
{
    plot.SetRatio(kAllPointsRatio);
    plot.SetXAxisNumberLabels(8);
}

void SpacePoints(Plot& plot, std::uint32_t uNumberPoints)
{
    // Twenty points to a unit of height, but never narrower than the plot of all points
    // nor wider than the widest a view shows at full size; the layout leaves out the
    // labels that would overlap.
    plot.SetRatio(std::clamp(double(uNumberPoints / 20), kAllPointsRatio, kWidestSpacedRatio));
    plot.SetXAxisNumberLabels(std::max<std::uint32_t>(uNumberPoints / 10, 2));
}

}  // namespace

AnalysisResults::AnalysisResults(std::unique_ptr<ChangePointAnalysis> pAnalysis)
    : m_pAnalysis(pAnalysis ? std::move(pAnalysis) : std::make_unique<ChangePointAnalysis>()),
      m_pValuesTable(std::make_unique<Drawing>()),
      m_pVariationTable(std::make_unique<Drawing>()),
      m_pAssumptionsReport(std::make_unique<Drawing>())
{
    if (!m_pAnalysis->Halted()) Build();
}

AnalysisResults::~AnalysisResults() = default;

void AnalysisResults::Build()
{
    ChangePointAnalysis& analysis = *m_pAnalysis;
    BuildValuesTable(analysis, *m_pValuesTable);
    BuildVariationTable(analysis, *m_pVariationTable);
    m_pValuesPlot = BuildValuesPlot(analysis);
    m_pValuesCusumChart = BuildValuesCusumChart(analysis);
    m_pVariationPlot = BuildVariationPlot(analysis);
    m_pVariationCusumChart = BuildVariationCusumChart(analysis);
    BuildAssumptionsReport(analysis, *m_pAssumptionsReport);
    m_bBuilt = true;
}

bool AnalysisResults::SetValuesBackground(std::uint8_t uMode, bool bForce)
{
    if (uMode > vbAllChanges) return false;
    if (!Store(m_pAnalysis->display.uValuesBackground, uMode) && !bForce) return false;
    if (m_pValuesPlot) ShadeValuesPlot(*m_pAnalysis, *m_pValuesPlot);
    return true;
}

bool AnalysisResults::SetValuesCusumBackground(bool bOn, bool bForce)
{
    if (!Store(m_pAnalysis->display.bValuesCusumBackground, bOn) && !bForce) return false;
    if (m_pValuesCusumChart) ShadeLevelChanges(*m_pAnalysis, *m_pValuesCusumChart, bOn);
    return true;
}

bool AnalysisResults::SetVariationBackground(bool bOn, bool bForce)
{
    if (!Store(m_pAnalysis->display.bVariationBackground, bOn) && !bForce) return false;
    if (m_pVariationPlot) ShadeVariationChanges(*m_pAnalysis, *m_pVariationPlot, bOn);
    return true;
}

bool AnalysisResults::SetVariationCusumBackground(bool bOn, bool bForce)
{
    if (!Store(m_pAnalysis->display.bVariationCusumBackground, bOn) && !bForce) return false;
    if (m_pVariationCusumChart) ShadeVariationChanges(*m_pAnalysis, *m_pVariationCusumChart, bOn);
    return true;
}

bool AnalysisResults::ShowValuesControlLimits(bool bOn)
{
    if (!Store(m_pAnalysis->display.bValuesLimits, bOn)) return false;
    ShowControlLimits(m_pValuesPlot.get(), kValuesUclLine, kValuesLclLine, bOn);
    return true;
}

bool AnalysisResults::ConnectValuesPoints(bool bOn)
{
    if (!Store(m_pAnalysis->display.bValuesConnect, bOn)) return false;
    ConnectPoints(m_pValuesPlot.get(), kValuesDataLine, bOn);
    return true;
}

bool AnalysisResults::ShowVariationControlLimits(bool bOn)
{
    if (!Store(m_pAnalysis->display.bVariationLimits, bOn)) return false;
    ShowControlLimits(m_pVariationPlot.get(), kVariationUclLine, kVariationLclLine, bOn);
    return true;
}

bool AnalysisResults::ConnectVariationPoints(bool bOn)
{
    if (!Store(m_pAnalysis->display.bVariationConnect, bOn)) return false;
    ConnectPoints(m_pVariationPlot.get(), kVariationDataLine, bOn);
    return true;
}

bool AnalysisResults::ShowAllValuesPoints()
{
    return ChangesLayout(m_pValuesPlot.get(), ShowAllPoints);
}

bool AnalysisResults::ShowAllVariationPoints()
{
    return ChangesLayout(m_pVariationPlot.get(), ShowAllPoints);
}

bool AnalysisResults::SpaceValuesPoints()
{
    const std::uint32_t n = m_pAnalysis->uNumberPoints();
    return ChangesLayout(m_pValuesPlot.get(), [n](Plot& plot) { SpacePoints(plot, n); });
}

bool AnalysisResults::SpaceVariationPoints()
{
    const std::uint32_t n = m_pAnalysis->uNumberPoints();
    return ChangesLayout(m_pVariationPlot.get(), [n](Plot& plot) { SpacePoints(plot, n); });
}

bool AnalysisResults::SetUseAverage(bool bOn)
{
    ChangePointAnalysis& analysis = *m_pAnalysis;
    if (!Store(analysis.display.bUseAverage, bOn)) return false;
    if (!m_bBuilt) return true;
    // The limits and bounds change in place in the arrays the two plots point at.
    ComputeValuesControlLimits(analysis);
    ComputeValuesBounds(analysis);
    if (analysis.display.uValuesBackground == vbAllChanges) ShadeValuesPlot(analysis, *m_pValuesPlot);
    ComputeVariationControlLimits(analysis);
    m_pValuesPlot->MarkLinesChanged();
    m_pVariationPlot->MarkLinesChanged();
    BuildVariationTable(analysis, *m_pVariationTable);
    return true;
}

}  // namespace HalvrennInc
