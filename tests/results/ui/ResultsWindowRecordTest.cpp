// The results window and the session file: the record it writes, the records it refuses,
// its place in the main window's area, and a whole session of two windows with changed
// chart and plot options saved and opened again.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <sstream>

#include "ResultsWindowTestSupport.h"
#include "foundation/String.h"
#include "results/ResultsCharts.h"
#include "workbook/SessionFile.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
using E = ResultsEntry;

SessionWindow ValidRecord()
{
    SessionWindow record;
    record.type = SessionWindowType::ResultsWindow;
    record.geometry = WindowGeometry{0, 20, 30, 300, 400};
    record.uActivePage = 4;
    record.piSizeModes = {0, 1, 2, 3, 4, 5, 11};
    record.pResults = ShiftedResults();
    return record;
}

// A plot's stored form, to compare plots.
std::string Stored(Plot& plot)
{
    std::ostringstream out;
    plot.Write(out, Real(2.0), true);
    return out.str();
}

std::vector<bool> Ticks(const TAnalysisResultsWindowForm& window)
{
    std::vector<bool> ticks;
    for (int k = 0; k < kResultsEntryCount; ++k) ticks.push_back(window.Entry(static_cast<E>(k))->isChecked());
    return ticks;
}

std::vector<int> SizeModes(const TAnalysisResultsWindowForm& window)
{
    std::vector<int> modes;
    for (int k = 0; k < 7; ++k) modes.push_back(window.View(k)->Size());
    return modes;
}
}  // namespace

TEST(ResultsWindowRecord, ARecordThatCannotBeShownIsRefused)
{
    ScriptedPlatform p;
    EXPECT_NE(TAnalysisResultsWindowForm::FromRecord(p.services, ValidRecord(), true), nullptr);

    SessionWindow page7 = ValidRecord();
    page7.uActivePage = 7;
    EXPECT_EQ(TAnalysisResultsWindowForm::FromRecord(p.services, page7, true), nullptr);
    SessionWindow size12 = ValidRecord();
    size12.piSizeModes[3] = 12;
    EXPECT_EQ(TAnalysisResultsWindowForm::FromRecord(p.services, size12, true), nullptr);
    SessionWindow negative = ValidRecord();
    negative.piSizeModes[0] = -1;
    EXPECT_EQ(TAnalysisResultsWindowForm::FromRecord(p.services, negative, true), nullptr);
    SessionWindow halted = ValidRecord();
    const StatusCallback halt = [](void*, int, const char*, double) { return false; };
    halted.pResults = std::make_shared<AnalysisResults>(
        std::make_unique<ChangePointAnalysis>(SeriesOf(ShiftedValues()), AnalysisOptions(), halt, nullptr));
    ASSERT_FALSE(halted.pResults->Built());
    EXPECT_EQ(TAnalysisResultsWindowForm::FromRecord(p.services, halted, true), nullptr);
    SessionWindow none = ValidRecord();
    none.pResults.reset();
    EXPECT_EQ(TAnalysisResultsWindowForm::FromRecord(p.services, none, true), nullptr);
    SessionWindow dataWindow = ValidRecord();
    dataWindow.type = SessionWindowType::DataWindow;
    EXPECT_EQ(TAnalysisResultsWindowForm::FromRecord(p.services, dataWindow, true), nullptr);

    // Through the session file: the page of a stored results window is 7.
    Workbook workbook;
    SessionDocument document(workbook);
    document.windows.push_back(ValidRecord());
    std::ostringstream out;
    WriteSessionText(out, document);
    std::string sText = out.str();
    const std::size_t uLine = sText.find("\n2 0 20 30 300 400 4\n");
    ASSERT_NE(uLine, std::string::npos) << sText.substr(0, 400);
    sText.replace(uLine, 21, "\n2 0 20 30 300 400 7\n");
    Workbook readBook;
    SessionDocument read(readBook);
    std::istringstream in(sText);
    EXPECT_EQ(ReadSessionText(in, read, {}, p.messages), SessionReadResult::Corrupted);
    EXPECT_EQ(read.ResultsWindowCount(), 0u);
    EXPECT_EQ(p.messages.texts().back(), "File is corrupted and could not be read.");
}

TEST(ResultsWindowRecord, AStoredWindowTakesItsPageSizesAndPlaceQuietly)
{
    ScriptedPlatform p;
    const SessionWindow record = ValidRecord();
    auto pWindow = TAnalysisResultsWindowForm::FromRecord(p.services, record, false);
    ASSERT_NE(pWindow, nullptr);
    int iModified = 0;
    QObject::connect(pWindow.get(), &TAnalysisResultsWindowForm::sessionModified, [&] { ++iModified; });
    EXPECT_EQ(pWindow->ActivePage(), 4);
    EXPECT_EQ(SizeModes(*pWindow), (std::vector<int>{0, 1, 2, 3, 4, 5, 11}));
    EXPECT_EQ(pWindow->PageControl()->tabPosition(), QTabWidget::North);
    EXPECT_EQ(pWindow->windowTitle(), "Analysis Results - Sales");

    QMdiArea area;
    area.resize(900, 700);
    QMdiSubWindow* pFrame = area.addSubWindow(pWindow.get());
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    EXPECT_EQ(pFrame->geometry(), QRect(30, 20, 400, 300));
    EXPECT_EQ(iModified, 0) << "placing a stored window changes nothing";

    const SessionWindow written = pWindow->Record();
    EXPECT_EQ(written.type, SessionWindowType::ResultsWindow);
    EXPECT_EQ(written.geometry, record.geometry);
    EXPECT_EQ(written.uActivePage, 4u);
    EXPECT_EQ(written.piSizeModes, record.piSizeModes);
    EXPECT_EQ(written.pResults, record.pResults);

    // Moved by the user: the session is modified and the record follows.
    pFrame->move(50, 60);
    EXPECT_GE(iModified, 1);
    EXPECT_EQ(pWindow->Record().geometry.iLeft, 50);
    pFrame->showMaximized();
    EXPECT_EQ(pWindow->Record().geometry.iState, 2);
    EXPECT_EQ(pWindow->Record().geometry.iTop, 60) << "the normal place is kept";
    pWindow.release();  // the area owns its sub-windows
}

TEST(ResultsWindowRecord, AWholeSessionOfTwoWindowsComesBackAsItWasSaved)
{
    ScriptedPlatform p;
    std::vector<double> other = ShiftedValues();
    for (double& d : other) d = 100 - 2 * d;
    ResultsWindow first(ShiftedResults());
    ResultsWindow second(ShiftedResults(other), false);

    // The first: chart options from the menus, a title typed in the plot options, a page
    // and two size modes.
    first.click(E::ValuesNoChanges);
    first.click(E::VariationAverage);
    first.click(E::ValuesConnect);
    first.results().ValuesPlot()->SetMainTitle("Sales by month");
    first.window().PlotValuesPlotControl()->vdRedraw();
    first.window().TableChangesValuesDrawingControl()->vdSize150();
    first.window().PlotVariationPlotControl()->vdSize250();
    first.window().SetActivePage(rpTableChangesVariation);
    // The second: other options, another page and size.
    second.click(E::VariationCusumBackground);
    second.click(E::VariationLimits);
    second.click(E::ValuesSpace);
    second.results().VariationCusumChart()->SetKeyDisplay(false);
    second.window().SetActivePage(rpAssumptions);
    second.window().AssumptionsDrawingControl()->vdFixedSizeNormal();

    Workbook workbook;
    SessionDocument document(workbook);
    document.windows.push_back(first.window().Record());
    document.windows.push_back(second.window().Record());
    std::ostringstream out;
    WriteSessionText(out, document);

    Workbook readBook;
    SessionDocument read(readBook);
    std::istringstream in(out.str());
    ASSERT_EQ(ReadSessionText(in, read, {}, p.messages), SessionReadResult::Read) << p.messages.texts().size();
    ASSERT_EQ(read.windows.size(), 3u);
    for (std::size_t k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        ResultsWindow& saved = k == 0 ? first : second;
        auto pWindow = TAnalysisResultsWindowForm::FromRecord(p.services, read.windows[k + 1], k == 0);
        ASSERT_NE(pWindow, nullptr);
        ResultsWindow reopened(std::move(pWindow));
        EXPECT_EQ(reopened.window().ActivePage(), saved.window().ActivePage());
        EXPECT_EQ(Ticks(reopened.window()), Ticks(saved.window()));
        EXPECT_EQ(SizeModes(reopened.window()), SizeModes(saved.window()));
        EXPECT_TRUE(reopened.display() == saved.display());
        EXPECT_EQ(reopened.window().windowTitle(), saved.window().windowTitle());
        EXPECT_EQ(reopened.window().DataSourceLabel()->text(), saved.window().DataSourceLabel()->text());
        AnalysisResults& a = saved.results();
        AnalysisResults& b = reopened.results();
        EXPECT_EQ(Stored(*b.ValuesPlot()), Stored(*a.ValuesPlot()));
        EXPECT_EQ(Stored(*b.ValuesCusumChart()), Stored(*a.ValuesCusumChart()));
        EXPECT_EQ(Stored(*b.VariationPlot()), Stored(*a.VariationPlot()));
        EXPECT_EQ(Stored(*b.VariationCusumChart()), Stored(*a.VariationCusumChart()));
        // Fitted views take their page's size once it shows; fixed ones their own.
        for (int iPage = 0; iPage < 7; ++iPage) {
            if (saved.window().View(iPage)->Size() == SizeToFit) continue;
            EXPECT_EQ(reopened.window().View(iPage)->size(), saved.window().View(iPage)->size()) << iPage;
        }
    }
    EXPECT_EQ(read.windows[1].pResults->ValuesPlot()->MainTitle(), "Sales by month");
    EXPECT_FALSE(read.windows[2].pResults->VariationCusumChart()->KeyDisplay());
}
