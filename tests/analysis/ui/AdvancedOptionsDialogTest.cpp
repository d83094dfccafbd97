// The "Advanced Options" dialog: what it shows, the first refused entry reported with its
// field focused, the defaults, and the options stored on OK only.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "analysis/AnalysisOptions.h"
#include "analysis/ui/TAdvancedOptionsDialogBoxForm.h"
#include "platform/qt/ScriptedPlatform.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
using Services = ScriptedPlatform;

struct OpenDialog {
    Services s;
    TAdvancedOptionsDialogBoxForm dialog{s.services};
    OpenDialog()
    {
        ResetAnalysisOptions();
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    void enter(QComboBox* pCombo, const QString& sText)
    {
        pCombo->setCurrentText(sText);
        QTest::mouseClick(dialog.OKButton(), Qt::LeftButton);
    }
};
}  // namespace

TEST(AdvancedOptionsDialog, ShowsTheCurrentOptionsWithTheFocusOnTheLevel)
{
    ResetAnalysisOptions();
    ASSERT_FALSE(SetAnalysisOptions("5000", "99.9", "90", true));
    Services s;
    TAdvancedOptionsDialogBoxForm dialog(s.services);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "Advanced Options");
    EXPECT_EQ(dialog.NumberTrialsComboBox()->currentText(), "5000");
    EXPECT_EQ(dialog.ConfidenceLevelComboBox()->currentText(), "99.9");
    EXPECT_EQ(dialog.ConfidenceIntervalComboBox()->currentText(), "90");
    EXPECT_EQ(dialog.samplingIndex(), 0) << "with replacement";
    EXPECT_EQ(dialog.SamplingMethodRadioGroup()->title(), "Sampling Method:");
    EXPECT_TRUE(dialog.ConfidenceLevelComboBox()->hasFocus() ||
                dialog.ConfidenceLevelComboBox()->lineEdit()->hasFocus());
    EXPECT_EQ(dialog.ConfidenceLevelComboBox()->count(), 3);
    EXPECT_EQ(dialog.NumberTrialsComboBox()->itemText(1), "10000");
    EXPECT_EQ(dialog.DefaultsButton()->text(), "&Defaults");

    QTest::mouseClick(dialog.HelpButton(), Qt::LeftButton);
    EXPECT_EQ(s.help.calls(), std::vector<std::string>{"context 50"});
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(CurrentAnalysisOptions().sTrials, "5000");
    EXPECT_EQ(s.settings.valueCount(), 0u) << "Cancel stores nothing";
    ResetAnalysisOptions();
}

TEST(AdvancedOptionsDialog, ARefusedEntryIsReportedAndKeepsTheDialogAndTheOptions)
{
    struct Case {
        const char* psField;
        QString sEntry;
        std::string sMessage;
    };
    const std::vector<Case> cases = {
        {"trials", "99", "Number of Bootstrap Trials must be at least 100.  Correct and try again."},
        {"trials", "1000001", "Number of Bootstrap Trials cannot exceed 1 million.  Correct and try again."},
        {"trials", "1000.5", "Number of Bootstrap Trials is not a valid integer.  Correct and try again."},
        {"trials", "abc", "Number of Bootstrap Trials is not a valid integer.  Correct and try again."},
        {"level", "100", "Confidence Level for Change must be less than 100%.  Correct and try again."},
        {"level", "49.9", "Confidence Level for Change must be at least 50%.  Correct and try again."},
        {"interval", "95%", "Confidence for Change Interval is not a valid number.  Correct and try again."},
        {"interval", "99.99999999999999999",
         "Confidence for Change Interval must be less than 100%.  Correct and try again."},
    };
    for (const Case& c : cases) {
        OpenDialog open;
        TAdvancedOptionsDialogBoxForm& dialog = open.dialog;
        QComboBox* pField = std::string(c.psField) == "trials"  ? dialog.NumberTrialsComboBox()
                            : std::string(c.psField) == "level" ? dialog.ConfidenceLevelComboBox()
                                                                : dialog.ConfidenceIntervalComboBox();
        open.enter(pField, c.sEntry);
        ASSERT_EQ(open.s.messages.shown().size(), 1u) << c.sEntry.toStdString();
        const ShownMessage& shown = open.s.messages.shown().front();
        EXPECT_EQ(shown.sCaption, "Error");
        EXPECT_EQ(shown.sText, c.sMessage);
        EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
        EXPECT_TRUE(pField->hasFocus() || pField->lineEdit()->hasFocus()) << c.psField << " gets the focus";
        EXPECT_EQ(pField->currentText(), c.sEntry) << "the entry stays as typed";
        EXPECT_EQ(CurrentAnalysisOptions().sTrials, "1000");
        EXPECT_EQ(CurrentAnalysisOptions().sLevel, "90");
        EXPECT_EQ(open.s.settings.valueCount(), 0u);
    }
    // Only the first fault is reported, even when a later entry is wrong too.
    OpenDialog open;
    open.dialog.ConfidenceIntervalComboBox()->setCurrentText("abc");
    open.enter(open.dialog.ConfidenceLevelComboBox(), "100");
    EXPECT_EQ(open.s.messages.texts(),
              std::vector<std::string>{"Confidence Level for Change must be less than 100%.  Correct and try again."});
}

TEST(AdvancedOptionsDialog, DefaultsFillTheFieldsAndOkStoresTheEntriesAsTyped)
{
    OpenDialog open;
    TAdvancedOptionsDialogBoxForm& dialog = open.dialog;
    dialog.NumberTrialsComboBox()->setCurrentText("1e3");
    dialog.ConfidenceLevelComboBox()->setCurrentText("99.9");
    dialog.ConfidenceIntervalComboBox()->setCurrentText("50");
    dialog.setSamplingIndex(0);
    QTest::mouseClick(dialog.DefaultsButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.NumberTrialsComboBox()->currentText(), "1000");
    EXPECT_EQ(dialog.ConfidenceLevelComboBox()->currentText(), "90");
    EXPECT_EQ(dialog.ConfidenceIntervalComboBox()->currentText(), "95");
    EXPECT_EQ(dialog.samplingIndex(), 1);
    EXPECT_EQ(open.s.settings.valueCount(), 0u) << "nothing stored before OK";

    dialog.NumberTrialsComboBox()->setCurrentText("1e3");
    dialog.setSamplingIndex(0);
    QTest::mouseClick(dialog.OKButton(), Qt::LeftButton);
    EXPECT_TRUE(open.s.messages.shown().empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(CurrentAnalysisOptions().uTrials, 1000u);
    EXPECT_EQ(open.s.settings.readString("Number Trials"), "1e3");
    EXPECT_EQ(open.s.settings.readString("Confidence Level For Change"), "90");
    EXPECT_EQ(open.s.settings.readString("Confidence For Change Interval"), "95");
    EXPECT_EQ(open.s.settings.readInteger("Sample With Replacment"), 1);

    // A store that cannot be written is reported; the options in memory apply anyway.
    OpenDialog again;
    again.s.settings.setReadOnly(true);
    again.enter(again.dialog.NumberTrialsComboBox(), "2000");
    ASSERT_EQ(again.s.messages.shown().size(), 1u);
    EXPECT_EQ(again.s.messages.shown().front().sCaption, "Error");
    EXPECT_EQ(again.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(CurrentAnalysisOptions().uTrials, 2000u);
    ResetAnalysisOptions();
}
