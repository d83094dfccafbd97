// The "Analysis Status" dialog and its worker: the reports it shows, the warnings with
// their texts while the worker waits, Halt and Esc, the hand-over of the results, and a
// user interface that keeps running during a long analysis.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "analysis/AnalysisOptions.h"
#include "analysis/ChangePointAnalysis.h"
#include "analysis/ui/ChangePointThread.h"
#include "analysis/ui/TAnalysisStatusDialogBoxForm.h"
#include "platform/qt/ModalDialogs.h"
#include "platform/qt/QtUserMessages.h"
#include "platform/qt/ScriptedPlatform.h"
#include "results/AnalysisResults.h"
#include "results/ResultsTestSupport.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

// A slow wave: long rising and falling streaks, far from independent.
std::vector<double> WaveValues()
{
    std::vector<double> values;
    for (int i = 0; i < 40; ++i) values.push_back(10 + 5 * std::sin(i * 0.25));
    return values;
}

struct Options {
    explicit Options(const char* psTrials = "100") { EXPECT_FALSE(SetAnalysisOptions(psTrials, "90", "95", false)); }
    ~Options() { ResetAnalysisOptions(); }
};

// What the dialog showed, code by code, and the results it handed over.
struct Watched {
    std::vector<int> codes;
    std::vector<std::shared_ptr<AnalysisResults>> opened;
    TAnalysisStatusDialogBoxForm::ResultsHandler handler()
    {
        return [this](std::shared_ptr<AnalysisResults> pResults) { opened.push_back(std::move(pResults)); };
    }
    void watch(TAnalysisStatusDialogBoxForm& dialog)
    {
        QObject::connect(&dialog, &TAnalysisStatusDialogBoxForm::StatusShown,
                         [this](int iCode) { codes.push_back(iCode); });
    }
};

}  // namespace

TEST(AnalysisStatusDialog, ShowsEachReportAndTheWarningsWithTheirTexts)
{
    ScriptedPlatform s;
    TAnalysisStatusDialogBoxForm dialog(s.services);
    EXPECT_EQ(dialog.windowTitle(), "Analysis Status");
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint) << "no close box";
    EXPECT_EQ(dialog.HaltButton()->text(), "&Halt");
    EXPECT_EQ(dialog.TitleOneText()->font().pixelSize(), 16);
    EXPECT_TRUE(dialog.TitleOneText()->font().bold());
    EXPECT_TRUE(dialog.ValueOneText()->font().bold());
    EXPECT_EQ(dialog.TrialsProgressBar()->maximum(), 100);

    dialog.StatusUpdate(scTitle, "Please Wait - Analyzing Sales", 0);
    dialog.StatusUpdate(scHeading, "Finding Changes", 0);
    dialog.StatusUpdate(scFirstLabel, "Changes Found:", 0);
    dialog.StatusUpdate(scSecondLabel, "Segments Remaining:", 0);
    dialog.StatusUpdate(scFirstCounter, "2", 0);
    dialog.StatusUpdate(scSecondCounter, "1", 0);
    dialog.StatusUpdate(scProgress, nullptr, 57.9);
    EXPECT_EQ(dialog.TitleOneText()->text(), "Please Wait - Analyzing Sales");
    EXPECT_EQ(dialog.TitleTwoText()->text(), "Finding Changes");
    EXPECT_EQ(dialog.LabelOneText()->text(), "Changes Found:");
    EXPECT_EQ(dialog.LabelTwoText()->text(), "Segments Remaining:");
    EXPECT_EQ(dialog.ValueOneText()->text(), "2");
    EXPECT_EQ(dialog.ValueTwoText()->text(), "1");
    EXPECT_EQ(dialog.TrialsProgressBar()->value(), 57) << "truncated";
    dialog.StatusUpdate(scProgress, nullptr, std::nan(""));
    dialog.StatusUpdate(scProgress, nullptr, 1e300);
    EXPECT_EQ(dialog.TrialsProgressBar()->value(), 100) << "no number leaves the bar; too much fills it";
    dialog.StatusUpdate(scTitle, nullptr, 0);
    EXPECT_EQ(dialog.TitleOneText()->text(), "") << "a report without text empties its label";
    dialog.StatusUpdate(9, "ignored", 0);
    EXPECT_TRUE(s.messages.shown().empty());

    // The warnings: the number of the serial-correlation result with two digits, and
    // the direction of the correlation.
    dialog.StatusUpdate(scSerialCorrelation, nullptr, 0);
    dialog.StatusUpdate(scSerialCorrelation, nullptr, 1.2);
    dialog.StatusUpdate(scSerialCorrelation, nullptr, 99.3);
    dialog.StatusUpdate(scOutliers, nullptr, 0);
    const std::string sEnd = " correlation.  See assumption tab when analysis is completed!";
    EXPECT_EQ(s.messages.texts(),
              (std::vector<std::string>{
                  "Violation of assumption of independent errors.  With 100% confidence errors have positive" + sEnd,
                  "Violation of assumption of independent errors.  With 99% confidence errors have positive" + sEnd,
                  "Violation of assumption of independent errors.  With 99% confidence errors have negative" + sEnd,
                  "Data contains outliers.  See assumption tab when analysis is completed!"}));
    for (const ShownMessage& message : s.messages.shown()) {
        EXPECT_EQ(message.sCaption, "Warning");
        EXPECT_EQ(message.icon, MessageIcon::Exclamation);
        EXPECT_FALSE(message.bQuestion);
    }
}

TEST(AnalysisStatusDialog, ACompletedAnalysisIsHandedOverWithItsChartsBuilt)
{
    const Options options;
    ScriptedPlatform s;
    TAnalysisStatusDialogBoxForm dialog(s.services);
    Watched run;
    run.watch(dialog);
    QString sFirstTitle;
    QObject::connect(&dialog, &TAnalysisStatusDialogBoxForm::StatusShown, [&] {
        if (sFirstTitle.isEmpty()) sFirstTitle = dialog.TitleOneText()->text();
    });

    EXPECT_TRUE(dialog.Execute(SeriesOf(ShiftedValues()), run.handler()));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Running());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(run.opened.size(), 1u);
    const AnalysisResults& results = *run.opened[0];
    EXPECT_TRUE(results.Built());
    EXPECT_NE(results.ValuesPlot(), nullptr);
    EXPECT_EQ(results.Analysis().sName, "Sales");
    EXPECT_EQ(results.Analysis().uTrials, 100u) << "the options of the run";
    EXPECT_EQ(results.Analysis().valuesChanges.count(), 2u);
    EXPECT_EQ(sFirstTitle, "Please Wait - Analyzing Values");
    EXPECT_NE(std::find(run.codes.begin(), run.codes.end(), scProgress), run.codes.end());
    EXPECT_TRUE(s.messages.shown().empty());

    // The dialog serves the next analysis too, and starts again from its first texts.
    Watched second;
    EXPECT_TRUE(dialog.Execute(SeriesOf(ShiftedValues(40)), second.handler()));
    EXPECT_EQ(second.opened.size(), 1u);
}

TEST(AnalysisStatusDialog, HaltOrEscDuringTheFirstBootstrapOpensNoResults)
{
    const Options options("1000");
    for (const bool bEscape : {false, true}) {
        SCOPED_TRACE(bEscape ? "Esc" : "Halt");
        ScriptedPlatform s;
        TAnalysisStatusDialogBoxForm dialog(s.services);
        Watched run;
        run.watch(dialog);
        std::size_t uReportsAtHalt = 0;
        QObject::connect(&dialog, &TAnalysisStatusDialogBoxForm::StatusShown, [&](int iCode) {
            if (iCode != scProgress || uReportsAtHalt != 0) return;
            uReportsAtHalt = run.codes.size();
            if (bEscape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog.HaltButton(), Qt::LeftButton);
            EXPECT_TRUE(dialog.isVisible()) << "the dialog stays until the worker ends";
        });

        EXPECT_FALSE(dialog.Execute(SeriesOf(ShiftedValues()), run.handler()));
        EXPECT_TRUE(dialog.Halted());
        EXPECT_TRUE(run.opened.empty());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(dialog.Running());
        ASSERT_GT(uReportsAtHalt, 0u);
        EXPECT_EQ(run.codes.size(), uReportsAtHalt) << "the worker stopped at the report it was halted in";
    }
}

TEST(AnalysisStatusDialog, AWarningBoxHoldsTheWorkerUntilItIsClosed)
{
    const Options options;
    ScriptedPlatform s;
    QtUserMessages boxes;
    PlatformServices services{boxes, s.settings, s.fileDialogs, s.clipboard, s.printer, s.help};
    TAnalysisStatusDialogBoxForm dialog(services);
    Watched run;
    run.watch(dialog);

    QString sText, sCaption;
    std::size_t uReportsWhileOpen = 0;
    std::size_t uReportsLater = 0;
    AnswerNextModal<QMessageBox>([&](QMessageBox& box) {
        sText = box.text();
        sCaption = box.windowTitle();
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        EXPECT_EQ(QApplication::activeModalWidget(), &box) << "the status dialog cannot be used meanwhile";
        uReportsWhileOpen = run.codes.size();
        QTest::qWait(150);
        uReportsLater = run.codes.size();
        box.accept();
    });
    EXPECT_TRUE(dialog.Execute(SeriesOf(WaveValues()), run.handler()));
    EXPECT_EQ(sCaption, "Warning");
    EXPECT_TRUE(sText.startsWith("Violation of assumption of independent errors.  With ")) << sText.toStdString();
    EXPECT_TRUE(sText.contains("% confidence errors have positive correlation."));
    EXPECT_EQ(uReportsLater, uReportsWhileOpen) << "no report while the box is open";
    EXPECT_GT(run.codes.size(), uReportsLater) << "the worker goes on once it is closed";
    EXPECT_EQ(run.opened.size(), 1u) << "a warning does not stop the analysis";
}

TEST(AnalysisStatusDialog, TheUserInterfaceRunsOnDuringALongAnalysis)
{
    const Options options("5000");
    ScriptedPlatform s;
    TAnalysisStatusDialogBoxForm dialog(s.services);
    Watched run;
    run.watch(dialog);

    // Ticks of a timer of the user-interface thread between the first report and the
    // last: the event loop kept running while the worker computed.
    int iTicks = 0;
    bool bRunning = false;
    QObject::connect(&dialog, &TAnalysisStatusDialogBoxForm::StatusShown, [&] { bRunning = true; });
    QTimer timer;
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (bRunning && dialog.Running()) ++iTicks;
    });
    timer.start();
    EXPECT_TRUE(dialog.Execute(SeriesOf(ShiftedValues(120)), run.handler()));
    EXPECT_GT(iTicks, 3);
}

TEST(AnalysisStatusDialog, AReportFromTheUserInterfaceThreadItselfIsShownDirectly)
{
    // A blocking queued call into one's own thread would wait for ever; the call is made
    // directly instead.
    struct Receiver : AnalysisStatusReceiver {
        std::vector<int> codes;
        void StatusUpdate(int iCode, const char*, double) override { codes.push_back(iCode); }
        void Finish(std::unique_ptr<AnalysisResults>) override {}
    } receiver;
    QObject context;
    ChangePointThread thread(SeriesOf(ShiftedValues()), AnalysisOptions(), receiver, context);
    EXPECT_TRUE(ChangePointThread::Callback(&thread, scProgress, nullptr, 10));
    thread.RequestHalt();
    EXPECT_FALSE(ChangePointThread::Callback(&thread, scProgress, nullptr, 20)) << "halt is answered";
    EXPECT_EQ(receiver.codes, (std::vector<int>{scProgress, scProgress}));
}

TEST(AnalysisStatusDialog, ShownWithoutASeriesItClosesAtOnce)
{
    ScriptedPlatform s;
    TAnalysisStatusDialogBoxForm dialog(s.services);
    QTimer::singleShot(2000, &dialog, [&] { dialog.done(QDialog::Accepted); });  // a safety net only
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog.Running());
}
