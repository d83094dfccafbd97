// Helpers of the results window tests: results of seeded analyses, a shown window with
// scripted services that counts its modifications, and a mark that tells whether a view
// built its picture again.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "analysis/AnalysisOptions.h"
#include "analysis/ChangePointAnalysis.h"
#include "graphics/Line.h"
#include "graphics/Plot.h"
#include "graphics/ui/TDrawingControl.h"
#include "graphics/ui/TPlotControl.h"
#include "platform/qt/ScriptedPlatform.h"
#include "results/AnalysisResults.h"
#include "results/ResultsTestSupport.h"
#include "results/ui/TAnalysisResultsWindowForm.h"

namespace HalvrennInc::testing {

//! The results of an analysis of 60 values with two level changes (100 trials).
inline std::shared_ptr<AnalysisResults> ShiftedResults(std::vector<double> values = ShiftedValues())
{
    AnalysisOptions options;
    EXPECT_FALSE(options.Set("100", "90", "95", false));
    auto pAnalysis = std::make_unique<ChangePointAnalysis>(SeriesOf(values), options, nullptr, nullptr);
    pAnalysis->sDataSource = "Data: Sheet 1, Column B, Rows 2 - 61";
    return std::make_shared<AnalysisResults>(std::move(pAnalysis));
}

struct ResultsWindow {
    ScriptedPlatform platform;
    std::shared_ptr<AnalysisResults> pResults;
    std::unique_ptr<TAnalysisResultsWindowForm> pWindow;
    int iModified = 0;

    explicit ResultsWindow(std::shared_ptr<AnalysisResults> results = ShiftedResults(), bool bTabsAtBottom = true)
        : pResults(std::move(results)),
          pWindow(std::make_unique<TAnalysisResultsWindowForm>(platform.services, pResults, bTabsAtBottom))
    {
        watch();
        show();
    }
    explicit ResultsWindow(std::unique_ptr<TAnalysisResultsWindowForm> window) : pWindow(std::move(window))
    {
        pResults = pWindow->SharedResults();
        watch();
        show();
    }
    void watch()
    {
        QObject::connect(pWindow.get(), &TAnalysisResultsWindowForm::sessionModified, [this] { ++iModified; });
    }
    void show()
    {
        pWindow->resize(760, 560);
        pWindow->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(pWindow.get()));
        iModified = 0;
    }
    TAnalysisResultsWindowForm& window() { return *pWindow; }
    AnalysisResults& results() { return *pResults; }
    const DisplaySettings& display() { return pResults->Analysis().display; }
    void click(ResultsEntry entry) { pWindow->Entry(entry)->trigger(); }
    bool ticked(ResultsEntry entry) { return pWindow->Entry(entry)->isChecked(); }
};

//! Crosses a view's picture out: the two red lines stay until the picture is built again.
inline void Mark(TPlotControl& view)
{
    view.vdCrossOutPlot();
}
inline void Mark(TDrawingControl& view)
{
    view.vdCrossOutGraphic();
}
inline bool CrossedOut(const Drawing* pDrawing)
{
    if (!pDrawing || pDrawing->Count() == 0) return false;
    const DrawingObject* pLast = pDrawing->Object(pDrawing->Count());
    if (pLast->Type() != dtLine) return false;
    const auto* pLine = static_cast<const Line*>(pLast);
    return pLine->X1() == pDrawing->XMin() && pLine->X2() == pDrawing->XMax() && pLine->Color() == 0x0000FF;
}
//! Whether the picture was built again since Mark.
inline bool Rebuilt(const TPlotControl& view)
{
    return !CrossedOut(view.GetDrawing());
}
inline bool Rebuilt(const TDrawingControl& view)
{
    return !CrossedOut(view.GetDrawing());
}

//! The captions of a menu's entries, separators as "-".
inline std::vector<std::string> Captions(const QMenu& menu, std::size_t uCount)
{
    std::vector<std::string> captions;
    for (const QAction* pAction : menu.actions()) {
        if (captions.size() == uCount) break;
        captions.push_back(pAction->isSeparator() ? "-" : pAction->text().toStdString());
    }
    return captions;
}

}  // namespace HalvrennInc::testing
