// Ostrel-Vane Studio - one analysis with everything the results window shows of it: the
// table of level changes, the table of variation changes, the four charts and the
// assumptions report, and the chart options that change them in place.
//
// Whoever makes an analysis (the worker thread after a run, the session reader after a
// record, the command line) hands it over here at once; the results window then owns
// this object and its views show the graphics without owning them.
#pragma once

#include <cstdint>
#include <memory>

#include "analysis/ChangePointAnalysis.h"
#include "graphics/Drawing.h"
#include "graphics/Plot.h"

namespace HalvrennInc {

class AnalysisResults {
public:
    //! Takes the analysis and, unless it was halted, builds in this order the values
    //! table, the variation table, the values plot, the values CUSUM chart, the variation
    //! plot, the variation CUSUM chart and the assumptions report. A halted analysis
    //! keeps three empty drawings and no charts. Null stands for an empty analysis.
    explicit AnalysisResults(std::unique_ptr<ChangePointAnalysis> pAnalysis);
    ~AnalysisResults();
    AnalysisResults(const AnalysisResults&) = delete;
    AnalysisResults& operator=(const AnalysisResults&) = delete;

    ChangePointAnalysis& Analysis() { return *m_pAnalysis; }
    const ChangePointAnalysis& Analysis() const { return *m_pAnalysis; }
    //! False for a halted analysis: the drawings are empty and the plots absent.
    bool Built() const { return m_bBuilt; }

    // The seven graphics, owned here (the charts are null when nothing was built). The
    // session reader reads the stored plot records over the fresh charts.
    Drawing& ValuesTable() { return *m_pValuesTable; }
    Drawing& VariationTable() { return *m_pVariationTable; }
    Drawing& AssumptionsReport() { return *m_pAssumptionsReport; }
    Plot* ValuesPlot() { return m_pValuesPlot.get(); }
    Plot* ValuesCusumChart() { return m_pValuesCusumChart.get(); }
    Plot* VariationPlot() { return m_pVariationPlot.get(); }
    Plot* VariationCusumChart() { return m_pVariationCusumChart.get(); }
    const Drawing& ValuesTable() const { return *m_pValuesTable; }
    const Drawing& VariationTable() const { return *m_pVariationTable; }
    const Drawing& AssumptionsReport() const { return *m_pAssumptionsReport; }
    const Plot* ValuesPlot() const { return m_pValuesPlot.get(); }
    const Plot* ValuesCusumChart() const { return m_pValuesCusumChart.get(); }
    const Plot* VariationPlot() const { return m_pVariationPlot.get(); }
    const Plot* VariationCusumChart() const { return m_pVariationCusumChart.get(); }

    // ----- Chart options (the results window's menu commands). Each stores the setting
    // in the analysis and changes the charts in place; it returns at once, with false,
    // when the setting already has the requested value (unless bForce), and otherwise
    // returns true: the caller then redraws and marks the session modified.

    //! Mode 0 none, 1 level changes, 2 variation changes, 3 all changes; a mode above
    //! 3 is refused.
    bool SetValuesBackground(std::uint8_t uMode, bool bForce = false);
    bool SetValuesCusumBackground(bool bOn, bool bForce = false);
    bool SetVariationBackground(bool bOn, bool bForce = false);
    bool SetVariationCusumBackground(bool bOn, bool bForce = false);
    bool ShowValuesControlLimits(bool bOn);
    bool ConnectValuesPoints(bool bOn);
    bool ShowVariationControlLimits(bool bOn);
    bool ConnectVariationPoints(bool bOn);
    //! Ratio 2.5 with 8 x labels; true when the plot changed.
    bool ShowAllValuesPoints();
    bool ShowAllVariationPoints();
    //! Ratio n div 20 with n div 10 x labels, n being the number of data points (for both
    //! plots); true when the plot changed.
    bool SpaceValuesPoints();
    bool SpaceVariationPoints();
    //! The standard deviation from the average (set) or the median (clear) of the
    //! variation values: recomputes the limits and bounds, the values background when
    //! it shades all changes, and the variation table.
    bool SetUseAverage(bool bOn);

private:
    void Build();

    // Declared first, so destroyed last: the charts point into the analysis's arrays.
    std::unique_ptr<ChangePointAnalysis> m_pAnalysis;
    std::unique_ptr<Drawing> m_pValuesTable;
    std::unique_ptr<Drawing> m_pVariationTable;
    std::unique_ptr<Drawing> m_pAssumptionsReport;
    std::unique_ptr<Plot> m_pValuesPlot;
    std::unique_ptr<Plot> m_pValuesCusumChart;
    std::unique_ptr<Plot> m_pVariationPlot;
    std::unique_ptr<Plot> m_pVariationCusumChart;
    bool m_bBuilt = false;
};

}  // namespace HalvrennInc
