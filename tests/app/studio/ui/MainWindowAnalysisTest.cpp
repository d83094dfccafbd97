// The analyses in the main window: the Analysis menu runs them on the data window's
// selection, their results windows join the area, the Window menu, the tab position,
// New, Save and Open.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include "MainWindowTestSupport.h"
#include "analysis/AnalysisOptions.h"
#include "app/studio/ui/AnalysisWindows.h"
#include "graphics/ui/TDrawingControl.h"
#include "platform/qt/ModalDialogs.h"
#include "results/ui/TAnalysisResultsWindowForm.h"
#include "selection/ui/TSelectDataDialogBoxForm.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

struct Studio : MainWindow {
    std::unique_ptr<AnalysisWindows> pAnalyses;
    Studio()
    {
        EXPECT_FALSE(SetAnalysisOptions("100", "90", "95", false));
        pAnalyses = std::make_unique<AnalysisWindows>(form(), platform.services);
        Sheet& sheet = workbook().activeSheet();
        sheet.storeField(2, 1, "Sales");
        for (std::uint32_t r = 2; r <= 41; ++r) sheet.storeField(2, r, std::to_string((r < 22 ? 10 : 15) + r % 3));
        workbook().announceCells(sheet);
        sheet.setSelection(CellRange{2, 2, 2, 41});
    }
    ~Studio() { ResetAnalysisOptions(); }
    TAnalysisResultsWindowForm* results(std::size_t k)
    {
        const std::vector<QMdiSubWindow*> frames = form().ResultsWindows();
        return k < frames.size() ? qobject_cast<TAnalysisResultsWindowForm*>(frames[k]->widget()) : nullptr;
    }
};

}  // namespace

TEST(MainWindowAnalysis, TheAnalysisMenuOpensResultsWindowsInTheArea)
{
    Studio s;
    s.item("AnalysisFastItem")->trigger();
    ASSERT_EQ(s.form().ResultsWindows().size(), 1u);
    TAnalysisResultsWindowForm* pFirst = s.results(0);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->PageControl()->count(), 7);
    EXPECT_TRUE(s.form().Modified());
    EXPECT_EQ(s.form().MdiArea()->activeSubWindow(), s.form().ResultsWindows()[0]);
    EXPECT_FALSE(s.data().dialogOpen());
    if (const QByteArray folder = qgetenv("OVS_PICTURES_DIR"); !folder.isEmpty()) {
        s.form().resize(1000, 720);
        QTest::qWait(50);
        s.form().grab().save(QString::fromLocal8Bit(folder) + "/main-window-results.png");
    }

    // The Window menu lists it; the tab position reaches it.
    s.form().WindowMenu()->popup(QPoint(0, 0));
    const std::vector<std::string> captions = s.menuCaptions("WindowMenu");
    s.form().WindowMenu()->close();
    EXPECT_NE(std::find(captions.begin(), captions.end(), "&2 Analysis Results - Sales"), captions.end());
    EXPECT_EQ(pFirst->PageControl()->tabPosition(), QTabWidget::South);
    s.item("AnalysisTabsAtBottomItem")->trigger();
    EXPECT_EQ(pFirst->PageControl()->tabPosition(), QTabWidget::North);

    // Custom analysis through its dialog.
    AnswerNextModal<TSelectDataDialogBoxForm>([](TSelectDataDialogBoxForm& dialog) { dialog.OKButton()->click(); });
    s.item("AnalysisCustomItem")->trigger();
    ASSERT_EQ(s.form().ResultsWindows().size(), 2u);
    EXPECT_EQ(s.results(1)->PageControl()->tabPosition(), QTabWidget::North) << "a new window takes the setting";

    // New closes them.
    s.platform.messages.queueAnswer(MessageAnswer::No);
    EXPECT_TRUE(s.form().NewSession());
    EXPECT_TRUE(s.form().ResultsWindows().empty());
}

TEST(MainWindowAnalysis, ASavedSessionOpensWithItsResultsWindows)
{
    QTemporaryDir folder;
    const std::string sFile = (folder.path() + "/two.ovs").toStdString();
    Studio s;
    s.item("AnalysisFastItem")->trigger();
    s.item("AnalysisFastItem")->trigger();
    ASSERT_EQ(s.form().ResultsWindows().size(), 2u);
    s.results(0)->SetActivePage(rpCusumValues);
    s.results(0)->Entry(ResultsEntry::ValuesNoChanges)->trigger();
    s.results(1)->SetActivePage(rpAssumptions);
    s.results(1)->TableChangesVariationDrawingControl()->vdSize200();
    s.platform.fileDialogs.queueAnswer(sFile);
    ASSERT_TRUE(s.form().SaveAs());
    EXPECT_FALSE(s.form().Modified());

    EXPECT_TRUE(s.form().NewSession());
    ASSERT_TRUE(s.form().OpenSession(sFile));
    ASSERT_EQ(s.form().ResultsWindows().size(), 2u);
    EXPECT_EQ(s.results(0)->ActivePage(), rpCusumValues);
    EXPECT_TRUE(s.results(0)->Entry(ResultsEntry::ValuesNoChanges)->isChecked());
    EXPECT_EQ(s.results(1)->ActivePage(), rpAssumptions);
    EXPECT_EQ(s.results(1)->TableChangesVariationDrawingControl()->Size(), Size200);
    EXPECT_FALSE(s.form().Modified());
}
