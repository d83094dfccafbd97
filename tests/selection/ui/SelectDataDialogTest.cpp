// The "Custom Analysis" dialog: its controls bound to the data selection in both
// orientations, the dependent fields kept in step while the user types, every refused
// field shown on its page with the focus in it, and OK handing over the series.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "analysis/ui/TAdvancedOptionsDialogBoxForm.h"
#include "platform/qt/ModalDialogs.h"
#include "platform/qt/ScriptedPlatform.h"
#include "selection/SelectionTestSupport.h"
#include "selection/ui/TSelectDataDialogBoxForm.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

// A header "Sales" in B1 over twenty numbers in B2:B21, labels in A, and a second
// series in C.
Sheet SalesSheet()
{
    Sheet sheet = EmptySheet();
    FillColumn(sheet, 2, 1, {"Sales"});
    FillColumn(sheet, 2, 2, Numbers(20, 1.5, 3));
    FillColumn(sheet, 3, 2, Numbers(20, 2));
    FillColumn(sheet, 1, 1, {"Month"});
    for (std::uint32_t r = 2; r <= 21; ++r) sheet.storeField(1, r, "M" + std::to_string(r - 1));
    Select(sheet, 2, 2, 2, 21);
    return sheet;
}

struct OpenDialog {
    ScriptedPlatform platform;
    Sheet sheet = SalesSheet();
    TSelectDataDialogBoxForm dialog{platform.services};

    OpenDialog() { open(); }
    void open()
    {
        dialog.SetSheet(&sheet);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    void reopen()
    {
        dialog.hide();
        open();
    }
    // Types over the text of a combo as a user would.
    static void type(QComboBox* pCombo, const QString& sText)
    {
        pCombo->lineEdit()->selectAll();
        QTest::keyClicks(pCombo->lineEdit(), sText);
    }
    static void type(QLineEdit* pEdit, const QString& sText)
    {
        pEdit->selectAll();
        QTest::keyClicks(pEdit, sText);
    }
    static bool focused(QWidget* pControl)
    {
        auto* pCombo = qobject_cast<QComboBox*>(pControl);
        return pControl->hasFocus() || (pCombo && pCombo->lineEdit()->hasFocus());
    }
};

}  // namespace

TEST(SelectDataDialog, ShowsTheFieldsProposedFromTheSelectionInBothOrientations)
{
    OpenDialog d;
    TSelectDataDialogBoxForm& dialog = d.dialog;
    EXPECT_EQ(dialog.windowTitle(), "Custom Analysis");
    ASSERT_EQ(dialog.AnalysisPageControl()->count(), 3);
    EXPECT_EQ(dialog.AnalysisPageControl()->tabText(0), "&Data To Analyze");
    EXPECT_EQ(dialog.AnalysisPageControl()->tabText(1), "La&bels");
    EXPECT_EQ(dialog.AnalysisPageControl()->tabText(2), "Handling Violations of &Assumptions");
    EXPECT_EQ(dialog.AnalysisPageControl()->currentIndex(), 0);
    EXPECT_TRUE(dialog.AnalysisPageControl()->tabBar()->hasFocus());
    EXPECT_EQ(dialog.TimeRadioGroup()->title(), "Data is In:");
    EXPECT_EQ(dialog.OrientationButton(Orientation::Columns)->text(), "&Columns");
    EXPECT_EQ(dialog.OrientationButton(Orientation::Rows)->text(), "&Rows");
    EXPECT_EQ(dialog.RanksCheckBox()->text(), "Analyze &Ranks");
    EXPECT_EQ(dialog.SerialCorrelationRadioGroup()->title(), "Violation of Independent Errors Assumption");
    EXPECT_EQ(dialog.OptionsButton()->text(), "Advanc&ed");
    EXPECT_EQ(dialog.ValueComboBox()->maxVisibleItems(), 15);
    EXPECT_EQ(dialog.NumberValuesComboBox()->count(), 10);
    EXPECT_EQ(dialog.NumberGroupsComboBox()->count(), 9);
    EXPECT_EQ(dialog.NumberGroupsComboBox()->itemText(0), "2");

    // Columns: one column of twenty rows.
    EXPECT_TRUE(dialog.OrientationButton(Orientation::Columns)->isChecked());
    EXPECT_EQ(dialog.ValuesLabel()->text(), "S&tart Column:");
    EXPECT_EQ(dialog.StartLabel()->text(), "&First Row:");
    EXPECT_EQ(dialog.EndLabel()->text(), "&Last Row:");
    EXPECT_EQ(dialog.LabelsComboBoxLabel()->text(), "&Column Containing Labels");
    EXPECT_EQ(dialog.NoteLabel3()->text(), "(Leave blank to use row");
    EXPECT_EQ(dialog.GroupingButton(GroupingMode::Group)->text(), "&Group Rows in Groups of n Rows --->");
    EXPECT_EQ(dialog.ValueComboBox()->count(), 256);
    EXPECT_EQ(dialog.ValueComboBox()->itemText(255), "IV");
    EXPECT_EQ(dialog.StartComboBox()->count(), 300);
    EXPECT_EQ(dialog.LabelsComboBox()->count(), 257);
    EXPECT_EQ(dialog.LabelsComboBox()->itemText(0), "");
    EXPECT_EQ(dialog.ValueComboBox()->currentText(), "B");
    EXPECT_EQ(dialog.NumberValuesComboBox()->currentText(), "1");
    EXPECT_EQ(dialog.StartComboBox()->currentText(), "2");
    EXPECT_EQ(dialog.EndComboBox()->currentText(), "21");
    EXPECT_EQ(dialog.ValueNameEditBox()->text(), "Sales");
    EXPECT_EQ(dialog.LabelsComboBox()->currentText(), "");
    EXPECT_EQ(dialog.LabelNameEdit()->text(), "Row");
    EXPECT_FALSE(dialog.RanksCheckBox()->isChecked());
    EXPECT_TRUE(dialog.GroupingButton(GroupingMode::Individual)->isChecked());
    EXPECT_EQ(dialog.NumberGroupsComboBox()->currentText(), "");

    // Rows: everything transposed, proposed again from the selection.
    QRadioButton* pRows = dialog.OrientationButton(Orientation::Rows);
    QTest::mouseClick(pRows, Qt::LeftButton, {}, QPoint(8, pRows->height() / 2));
    EXPECT_EQ(dialog.ValuesLabel()->text(), "S&tart Row:");
    EXPECT_EQ(dialog.StartLabel()->text(), "&First Column:");
    EXPECT_EQ(dialog.LabelsComboBoxLabel()->text(), "&Row Containing Labels");
    EXPECT_EQ(dialog.NoteLabel3()->text(), "(Leave blank to use column");
    EXPECT_EQ(dialog.GroupingButton(GroupingMode::EveryNth)->text(), "&Skip Columns - Analyze Every n-th Column --->");
    EXPECT_EQ(dialog.ValueComboBox()->count(), 300);
    EXPECT_EQ(dialog.StartComboBox()->count(), 256);
    EXPECT_EQ(dialog.LabelsComboBox()->count(), 301);
    EXPECT_EQ(dialog.ValueComboBox()->currentText(), "2");
    EXPECT_EQ(dialog.NumberValuesComboBox()->currentText(), "20");
    EXPECT_EQ(dialog.StartComboBox()->currentText(), "A") << "a start outside one row proposes every column";
    EXPECT_EQ(dialog.EndComboBox()->currentText(), "IV");
    EXPECT_EQ(dialog.LabelNameEdit()->text(), "Column");
}

TEST(SelectDataDialog, TypingKeepsTheDependentFieldsInStep)
{
    OpenDialog d;
    TSelectDataDialogBoxForm& dialog = d.dialog;
    OpenDialog::type(dialog.ValueComboBox(), "C");
    EXPECT_EQ(dialog.ValueComboBox()->currentText(), "C");
    EXPECT_EQ(dialog.ValueNameEditBox()->text(), "Column C") << "no header above column C";
    EXPECT_EQ(dialog.StartComboBox()->currentText(), "1") << "outside the selection: the whole sheet";
    EXPECT_EQ(dialog.EndComboBox()->currentText(), "10000");
    OpenDialog::type(dialog.NumberValuesComboBox(), "2");
    EXPECT_EQ(dialog.ValueNameEditBox()->text(), "Columns C-D");
    OpenDialog::type(dialog.ValueComboBox(), "b");
    EXPECT_EQ(dialog.ValueNameEditBox()->text(), "") << "no designator, no name";
    EXPECT_EQ(dialog.StartComboBox()->currentText(), "");
    OpenDialog::type(dialog.ValueComboBox(), "B");
    OpenDialog::type(dialog.NumberValuesComboBox(), "1");
    EXPECT_EQ(dialog.ValueNameEditBox()->text(), "Sales");

    OpenDialog::type(dialog.LabelsComboBox(), "A");
    EXPECT_EQ(dialog.LabelNameEdit()->text(), "Month");
    OpenDialog::type(dialog.LabelsComboBox(), "Z");
    EXPECT_EQ(dialog.LabelNameEdit()->text(), "Column Z");
    dialog.LabelsComboBox()->setCurrentIndex(0);
    EXPECT_EQ(dialog.LabelNameEdit()->text(), "Row") << "picking the empty item";
    // The caret stays where the user types.
    dialog.ValueNameEditBox()->setFocus();
    OpenDialog::type(dialog.ValueNameEditBox(), "Weekly sales");
    EXPECT_EQ(dialog.ValueNameEditBox()->text(), "Weekly sales");
}

TEST(SelectDataDialog, ARefusedFieldIsShownOnItsPageWithTheFocus)
{
    struct Case {
        const char* psName;
        std::function<void(TSelectDataDialogBoxForm&)> setUp;
        std::string sMessage;
        int iPage;
        std::function<QWidget*(TSelectDataDialogBoxForm&)> field;
    };
    using D = TSelectDataDialogBoxForm;
    const std::vector<Case> cases = {
        {"start", [](D& d) { OpenDialog::type(d.ValueComboBox(), "b"); },
         "Starting data column not a valid designator.  Correct and try again.", 0,
         [](D& d) -> QWidget* { return d.ValueComboBox(); }},
        {"values", [](D& d) { OpenDialog::type(d.NumberValuesComboBox(), "0"); },
         "Number of values per row is not a valid integer of at least one.  Correct and try again.", 0,
         [](D& d) -> QWidget* { return d.NumberValuesComboBox(); }},
        {"first", [](D& d) { OpenDialog::type(d.StartComboBox(), "x"); },
         "First row is not a valid integer.  Correct and try again.", 0,
         [](D& d) -> QWidget* { return d.StartComboBox(); }},
        {"last", [](D& d) { OpenDialog::type(d.EndComboBox(), "1"); },
         "Last row is less than first row.  Correct and try again.", 0,
         [](D& d) -> QWidget* { return d.EndComboBox(); }},
        {"labels", [](D& d) { OpenDialog::type(d.LabelsComboBox(), "B"); },
         "Label column is same as one of data columns.  Correct and try again.", 1,
         [](D& d) -> QWidget* { return d.LabelsComboBox(); }},
        {"group",
         [](D& d) {
             d.GroupingButton(GroupingMode::Group)->setChecked(true);
             OpenDialog::type(d.NumberGroupsComboBox(), "1");
         },
         "Number of rows to group together is not a valid integer of at least 2.  Correct and try again.", 2,
         [](D& d) -> QWidget* { return d.NumberGroupsComboBox(); }},
        {"data",
         [](D& d) {
             OpenDialog::type(d.StartComboBox(), "2");
             OpenDialog::type(d.EndComboBox(), "4");
         },
         "At least four data points are required.  Correct and try again.", 0,
         [](D& d) -> QWidget* { return d.ValueComboBox(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.psName);
        OpenDialog d;
        c.setUp(d.dialog);
        d.dialog.AnalysisPageControl()->setCurrentIndex(c.iPage == 0 ? 2 : 0);
        QTest::mouseClick(d.dialog.OKButton(), Qt::LeftButton);
        EXPECT_EQ(d.platform.messages.texts(), std::vector<std::string>{c.sMessage});
        EXPECT_EQ(d.platform.messages.shown().at(0).sCaption, "Error");
        EXPECT_TRUE(d.dialog.isVisible()) << "the dialog stays open";
        EXPECT_EQ(d.dialog.AnalysisPageControl()->currentIndex(), c.iPage);
        EXPECT_TRUE(OpenDialog::focused(c.field(d.dialog)));
        EXPECT_EQ(d.dialog.Selection().series().uNumberPoints(), 0u);
    }
}

TEST(SelectDataDialog, OkHandsOverTheSeriesAsTheFieldsSay)
{
    OpenDialog d;
    TSelectDataDialogBoxForm& dialog = d.dialog;
    OpenDialog::type(dialog.LabelsComboBox(), "A");
    OpenDialog::type(dialog.ValueNameEditBox(), "  Weekly sales ");
    QTest::mouseClick(dialog.RanksCheckBox(), Qt::LeftButton);
    dialog.GroupingButton(GroupingMode::EveryNth)->setChecked(true);
    OpenDialog::type(dialog.NumberGroupsComboBox(), "2");
    QTest::mouseClick(dialog.OKButton(), Qt::LeftButton);
    EXPECT_TRUE(d.platform.messages.shown().empty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    const SelectedSeries series = dialog.Selection().TakeSeries();
    EXPECT_EQ(series.sName, "Weekly sales");
    EXPECT_EQ(series.sLabelName, "Month");
    EXPECT_TRUE(series.bRanks);
    EXPECT_EQ(series.uNumberPoints(), 10u) << "every 2nd of twenty";
    EXPECT_EQ(series.psPeriodLabels.at(0), "M1");
    EXPECT_EQ(series.sDataSource, "Data: Sheet 1, Column B, Rows 2 - 21, every 2nd row");

    // Opened again, it starts from the selection: ranks off, individual periods, no n.
    d.reopen();
    EXPECT_FALSE(dialog.RanksCheckBox()->isChecked());
    EXPECT_TRUE(dialog.GroupingButton(GroupingMode::Individual)->isChecked());
    EXPECT_EQ(dialog.NumberGroupsComboBox()->currentText(), "");
    EXPECT_EQ(dialog.LabelsComboBox()->currentText(), "");
    EXPECT_EQ(dialog.ValueNameEditBox()->text(), "Sales");
}

TEST(SelectDataDialog, AdvancedOpensTheOptionsAndHelpItsTopic)
{
    OpenDialog d;
    bool bOpened = false;
    AnswerNextModal<TAdvancedOptionsDialogBoxForm>([&](TAdvancedOptionsDialogBoxForm& options) {
        bOpened = true;
        options.reject();
    });
    QTest::mouseClick(d.dialog.OptionsButton(), Qt::LeftButton);
    EXPECT_TRUE(bOpened);
    EXPECT_TRUE(d.dialog.isVisible());
    QTest::mouseClick(d.dialog.HelpButton(), Qt::LeftButton);
    EXPECT_EQ(d.platform.help.calls(), std::vector<std::string>{"context 40"});
    QTest::mouseClick(d.dialog.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(d.dialog.result(), QDialog::Rejected);
}
