// Fast and custom analysis from the data window: the selection becomes a series, the
// analysis runs in the status dialog, and the results open in a window of seven pages;
// a refused selection or a cancelled dialog opens nothing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <memory>
#include <vector>

#include "analysis/AnalysisOptions.h"
#include "platform/qt/ModalDialogs.h"
#include "results/AnalysisResults.h"
#include "results/ui/TAnalysisResultsWindowForm.h"
#include "selection/ui/AnalysisCommands.h"
#include "selection/ui/TSelectDataDialogBoxForm.h"
#include "workbook/ui/DataWindowTestSupport.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

struct Desktop {
    DataWindow data;
    TSelectDataDialogBoxForm selectData{data.platform.services};
    TAnalysisStatusDialogBoxForm status{data.platform.services};
    std::vector<std::unique_ptr<TAnalysisResultsWindowForm>> windows;
    std::vector<bool> dialogOpenWhileOpening;

    Desktop()
    {
        EXPECT_FALSE(SetAnalysisOptions("100", "90", "95", false));
        Sheet& sheet = data.workbook().activeSheet();
        sheet.storeField(2, 1, "Sales");
        for (std::uint32_t r = 2; r <= 41; ++r) sheet.storeField(2, r, std::to_string((r < 22 ? 10 : 15) + r % 3));
        data.workbook().announceCells(sheet);
        select(2, 2, 2, 41);
    }
    ~Desktop() { ResetAnalysisOptions(); }
    void select(std::uint32_t uLeft, std::uint32_t uTop, std::uint32_t uRight, std::uint32_t uBottom)
    {
        data.workbook().activeSheet().setSelection(CellRange{uLeft, uTop, uRight, uBottom});
    }
    AnalysisDialogs dialogs() { return {selectData, status}; }
    TAnalysisStatusDialogBoxForm::ResultsHandler factory()
    {
        return [this](std::shared_ptr<AnalysisResults> pResults) {
            dialogOpenWhileOpening.push_back(data.window.dialogOpen());
            windows.push_back(
                std::make_unique<TAnalysisResultsWindowForm>(data.platform.services, std::move(pResults), true));
        };
    }
};

}  // namespace

TEST(AnalysisCommands, AFastAnalysisOfASelectedColumnOpensAResultsWindowWithSevenPages)
{
    Desktop d;
    EXPECT_TRUE(RunFastAnalysis(d.data.window, d.dialogs(), d.factory()));
    ASSERT_EQ(d.windows.size(), 1u);
    TAnalysisResultsWindowForm& window = *d.windows[0];
    EXPECT_EQ(window.PageControl()->count(), 7);
    EXPECT_EQ(window.windowTitle(), "Analysis Results - Sales");
    EXPECT_EQ(window.Results().Analysis().uNumberPoints(), 40u);
    EXPECT_EQ(window.Results().Analysis().sDataSource, "Data: Sheet 1, Column B, Rows 2 - 41");
    EXPECT_GE(window.Results().Analysis().valuesChanges.count(), 1u);
    EXPECT_EQ(d.dialogOpenWhileOpening, std::vector<bool>{true}) << "the data window knows a dialog runs";
    EXPECT_FALSE(d.data.window.dialogOpen()) << "and that it ended";
    EXPECT_FALSE(d.selectData.isVisible()) << "fast analysis shows no dialog of its own";
    EXPECT_TRUE(d.data.platform.messages.shown().empty());
}

TEST(AnalysisCommands, ARefusedSelectionOpensNothing)
{
    Desktop d;
    Sheet& sheet = d.data.workbook().activeSheet();
    sheet.storeField(4, 1, "1");
    sheet.storeField(4, 2, "2");
    sheet.storeField(4, 3, "3");
    d.select(4, 1, 4, 1);
    EXPECT_FALSE(RunFastAnalysis(d.data.window, d.dialogs(), d.factory()));
    EXPECT_TRUE(d.windows.empty());
    EXPECT_EQ(d.data.platform.messages.texts(),
              std::vector<std::string>{"At least four data points are required.  Correct and try again."});
    EXPECT_FALSE(d.data.window.dialogOpen());
}

TEST(AnalysisCommands, ACustomAnalysisRunsOnlyAfterOk)
{
    Desktop d;
    AnswerNextModal<TSelectDataDialogBoxForm>([](TSelectDataDialogBoxForm& dialog) {
        EXPECT_EQ(dialog.ValueComboBox()->currentText(), "B");
        dialog.reject();
    });
    EXPECT_FALSE(RunCustomAnalysis(d.data.window, d.dialogs(), d.factory()));
    EXPECT_TRUE(d.windows.empty());

    bool bFlagWhileOpen = false;
    AnswerNextModal<TSelectDataDialogBoxForm>([&](TSelectDataDialogBoxForm& dialog) {
        bFlagWhileOpen = d.data.window.dialogOpen();
        dialog.RanksCheckBox()->setChecked(true);
        dialog.OKButton()->click();
    });
    EXPECT_TRUE(RunCustomAnalysis(d.data.window, d.dialogs(), d.factory()));
    EXPECT_TRUE(bFlagWhileOpen);
    ASSERT_EQ(d.windows.size(), 1u);
    EXPECT_EQ(d.windows[0]->windowTitle(), "Analysis Results - Sales Ranks");
    EXPECT_FALSE(d.data.window.dialogOpen());
}
