// Sessions in the main window: New with its question, Open, Save, Save As with the
// extension rule, closing and logging out, the caption, the recent files, the results
// windows' records, the tab setting and the command line.
#include <QCloseEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <filesystem>

#include "MainWindowTestSupport.h"
#include "app/studio/CommandLine.h"
#include "app/studio/RecentFileList.h"
#include "results/AnalysisResults.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;
using Captions = std::vector<std::string>;

namespace {
//! What the File menu lists after its anchor, up to "E&xit".
Captions RecentItems(MainWindow& w)
{
    const Captions psAll = w.menuCaptions("FileMenu");
    const auto itAnchor = std::find(psAll.begin(), psAll.end(), "P&rint Setup...") + 1;
    return Captions(itAnchor + 1, psAll.end() - 1);
}

bool CloseWindow(MainWindow& w)
{
    QCloseEvent event;
    QApplication::sendEvent(&w.form(), &event);
    return event.isAccepted();
}
}  // namespace

TEST(MainWindowSession, StartsUntitledAndUnmodifiedAndAnyChangeMarksIt)
{
    MainWindow w;
    EXPECT_EQ(w.caption(), "Ostrel-Vane Studio - [untitled]");
    EXPECT_FALSE(w.form().Modified()) << "the data window's first showing is no change";
    EXPECT_TRUE(w.form().windowTitle().endsWith(QStringLiteral("[*]"))) << "the title bar can mark changes";
    EXPECT_FALSE(w.form().isWindowModified());
    EXPECT_EQ(w.form().MdiArea()->subWindowList().size(), 1);
    QTest::keyClicks(w.data().cellEditor(), QStringLiteral("7"));
    EXPECT_TRUE(w.form().Modified());
    EXPECT_TRUE(w.form().isWindowModified());
    // The data window refuses to close; it offers no close button.
    EXPECT_FALSE(w.form().DataWindowFrame()->close());
    EXPECT_FALSE(w.form().DataWindowFrame()->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(MainWindowSession, SaveAsAppliesTheExtensionRule)
{
    QTemporaryDir dir;
    MainWindow w;
    const std::string sDir = dir.path().toStdString() + "/";
    const std::pair<const char*, const char*> kNames[] = {
        {"data", "data.ovs"}, {"data.", "data.ovs"}, {"data.txt", "data.txt"}, {"a.b.long", "a.b.long.ovs"}};
    for (const auto& [psTyped, psWritten] : kNames) {
        std::filesystem::remove(sDir + psWritten);
        w.workbook().SetCellText(1, 1, psTyped);
        w.platform.fileDialogs.queueAnswer(sDir + psTyped);
        EXPECT_TRUE(w.form().SaveAs()) << psTyped;
        EXPECT_TRUE(std::filesystem::exists(sDir + psWritten)) << psTyped;
        EXPECT_EQ(w.form().CurrentFile(), sDir + psWritten);
        EXPECT_EQ(w.caption(), "Ostrel-Vane Studio - " + sDir + psWritten);
        EXPECT_FALSE(w.form().Modified());
    }
    EXPECT_FALSE(std::filesystem::exists(sDir + "data")) << "nothing written under the typed name";
    const ScriptedFileDialogs::Call& call = w.platform.fileDialogs.calls().front();
    EXPECT_TRUE(call.bSave);
    EXPECT_EQ(call.sTitle, "Save File");
    EXPECT_EQ(call.sFileName, "*.ovs");
    EXPECT_EQ(call.sFilter, "Ostrel-Vane Studio (*.ovs)|*.ovs");
    EXPECT_EQ(call.sDefaultExtension, "ovs");
    EXPECT_TRUE(call.bAskOverwrite);
    // Each earlier file went into the recent files as the next one took its place.
    EXPECT_EQ(w.form().RecentFiles().Entries(), (Captions{sDir + "data.txt", sDir + "data.ovs"}));

    // A name the rule changed is not written over an existing file unasked.
    w.workbook().SetCellText(1, 1, "changed");
    w.platform.fileDialogs.queueAnswer(sDir + "data");
    w.platform.messages.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(w.form().SaveAs());
    EXPECT_EQ(w.platform.messages.texts().back(), sDir + "data.ovs already exists.  Do you want to replace it?");
    EXPECT_EQ(ReadFile(sDir + "data.ovs").find("changed"), std::string::npos);
    EXPECT_TRUE(w.form().Modified());
    EXPECT_EQ(w.form().CurrentFile(), sDir + "a.b.long.ovs");

    // Cancelling the dialog does nothing; Save writes the current file without asking.
    EXPECT_FALSE(w.form().SaveAs());
    w.item("FileSaveItem")->trigger();
    EXPECT_NE(ReadFile(sDir + "a.b.long.ovs").find("changed"), std::string::npos);
    EXPECT_FALSE(w.form().Modified());
    EXPECT_EQ(w.platform.fileDialogs.calls().size(), 6u);

    // With the data window maximized the caption still names the file written.
    w.form().DataWindowFrame()->showMaximized();
    w.platform.fileDialogs.queueAnswer(sDir + "data");
    w.platform.messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(w.form().SaveAs());
    EXPECT_NE(w.caption().find("Ostrel-Vane Studio - " + sDir + "data.ovs"), std::string::npos) << w.caption();
    w.form().DataWindowFrame()->showNormal();
    EXPECT_EQ(w.caption(), "Ostrel-Vane Studio - " + sDir + "data.ovs");
}

TEST(MainWindowSession, AFailedSaveKeepsTheSessionAsItWas)
{
    QTemporaryDir dir;
    MainWindow w;
    w.workbook().SetCellText(1, 1, "x");
    w.platform.fileDialogs.queueAnswer(dir.path().toStdString() + "/no/such/folder/data");
    EXPECT_FALSE(w.form().SaveAs());
    EXPECT_TRUE(w.form().Modified());
    EXPECT_EQ(w.form().CurrentFile(), "");
    EXPECT_EQ(w.caption(), "Ostrel-Vane Studio - [untitled]");
    EXPECT_EQ(w.platform.messages.texts(),
              Captions{"File could not be opened for output.  The folder does not exist."});
}

TEST(MainWindowSession, NewAsksToSaveWithThreeButtonsAndEmptiesTheSession)
{
    QTemporaryDir dir;
    MainWindow w;
    const std::string sFile = dir.path().toStdString() + "/a.ovs";
    w.workbook().SetCellText(1, 1, "kept");
    w.platform.messages.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(w.form().NewSession());
    EXPECT_EQ(w.workbook().CellText(1, 1), "kept");
    const ShownMessage& question = w.platform.messages.shown().back();
    EXPECT_EQ(question.sCaption, "Warning");
    EXPECT_EQ(question.sText, "Do you want to save current session first?");
    EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(question.icon, MessageIcon::None);

    // Yes on an untitled session saves as, and the saved file joins the recent files.
    w.platform.messages.queueAnswer(MessageAnswer::Yes);
    w.platform.fileDialogs.queueAnswer(sFile);
    w.item("FileNewItem")->trigger();
    EXPECT_NE(ReadFile(sFile).find("\"kept\""), std::string::npos);
    EXPECT_EQ(w.workbook().CellText(1, 1), "");
    EXPECT_EQ(w.caption(), "Ostrel-Vane Studio - [untitled]");
    EXPECT_EQ(RecentItems(w), (Captions{"&1 " + sFile, "-"}));
    EXPECT_FALSE(w.form().Modified());
    EXPECT_FALSE(w.form().isWindowModified());

    // Yes with the save dialog cancelled changes nothing.
    w.workbook().SetCellText(2, 2, "again");
    w.platform.messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_FALSE(w.form().NewSession());
    EXPECT_EQ(w.workbook().CellText(2, 2), "again");
    // No: emptied without writing.
    w.platform.messages.queueAnswer(MessageAnswer::No);
    EXPECT_TRUE(w.form().NewSession());
    EXPECT_EQ(w.workbook().CellText(2, 2), "");
    EXPECT_EQ(w.platform.messages.pendingAnswers(), 0u);
    // Nothing changed: no question.
    const std::size_t uShown = w.platform.messages.shown().size();
    EXPECT_TRUE(w.form().NewSession());
    EXPECT_EQ(w.platform.messages.shown().size(), uShown);
}

TEST(MainWindowSession, ClosingAsksAndCancelKeepsTheProgramRunningNoClosesWithoutWriting)
{
    QTemporaryDir dir;
    MainWindow w;
    w.workbook().SetCellText(1, 1, "unsaved");
    w.platform.messages.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(CloseWindow(w));
    EXPECT_TRUE(w.form().isVisible());
    EXPECT_EQ(w.platform.messages.texts(), Captions{"Do you want to save current session first?"});
    w.platform.messages.queueAnswer(MessageAnswer::No);
    EXPECT_TRUE(w.form().close());
    EXPECT_TRUE(w.platform.fileDialogs.calls().empty()) << "nothing written";

    // A logout asks once; after No the window closes without asking again, until the
    // session changes.
    w.open();
    w.workbook().SetCellText(1, 1, "unsaved");
    w.platform.messages.clear();
    w.platform.messages.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(w.form().AskToEndSession());
    w.platform.messages.queueAnswer(MessageAnswer::No);
    EXPECT_TRUE(w.form().AskToEndSession());
    EXPECT_TRUE(CloseWindow(w));
    EXPECT_EQ(w.platform.messages.shown().size(), 2u);
    w.workbook().SetCellText(1, 1, "more");
    w.platform.messages.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(CloseWindow(w));
}

TEST(MainWindowSession, OpenReadsTheFileAndTheRecentFilesFollow)
{
    QTemporaryDir dir;
    const std::string sDir = dir.path().toStdString();
    std::filesystem::copy_file(TestSession("small.ovs"), sDir + "/small.ovs");
    std::filesystem::copy_file(TestSession("missing-end-marker.ovs"), sDir + "/cut.ovs");
    MainWindow w(false);
    w.platform.settings.writeString("1", sDir + "/cut.ovs");
    w.platform.settings.writeString("2", sDir + "/gone.ovs");
    w.open();
    EXPECT_EQ(RecentItems(w), (Captions{"&1 " + sDir + "/cut.ovs", "&2 " + sDir + "/gone.ovs", "-"}));

    w.platform.fileDialogs.queueAnswer(sDir + "/small.ovs");
    w.item("FileOpenItem")->trigger();
    const ScriptedFileDialogs::Call& call = w.platform.fileDialogs.calls().back();
    EXPECT_FALSE(call.bSave);
    EXPECT_EQ(call.sTitle, "Open File");
    EXPECT_EQ(call.sFileName, "*.ovs");
    EXPECT_EQ(call.sFilter, "Ostrel-Vane Studio files (*.ovs)|*.ovs");
    EXPECT_EQ(w.workbook().CellText(2, 1), "Weight");
    EXPECT_EQ(w.caption(), "Ostrel-Vane Studio - " + sDir + "/small.ovs");
    EXPECT_FALSE(w.form().Modified());
    EXPECT_TRUE(w.platform.messages.shown().empty());

    // A file that fails to open leaves the menu at once; a corrupted one leaves an empty
    // untitled session, and the file read before heads the list.
    w.form().findChild<QMenu*>(QStringLiteral("FileMenu"))->actions()[11]->trigger();  // &2 gone.ovs
    EXPECT_EQ(RecentItems(w), (Captions{"&1 " + sDir + "/cut.ovs", "-"}));
    EXPECT_EQ(w.workbook().CellText(2, 1), "Weight") << "the session is unchanged";
    w.form().findChild<QMenu*>(QStringLiteral("FileMenu"))->actions()[10]->trigger();  // &1 cut.ovs
    EXPECT_EQ(w.platform.messages.texts(),
              (Captions{"Could not find file.", "File is corrupted and could not be read."}));
    EXPECT_EQ(RecentItems(w), (Captions{"&1 " + sDir + "/small.ovs", "-"}));
    EXPECT_EQ(w.workbook().CellText(2, 1), "");
    EXPECT_EQ(w.caption(), "Ostrel-Vane Studio - [untitled]");
    EXPECT_FALSE(w.form().Modified());
}

TEST(MainWindowSession, TheRecentFilesHoldNineAndTheOpenFileHeadsThemAtExit)
{
    QTemporaryDir dir;
    const std::string sDir = dir.path().toStdString();
    MainWindow w(false);
    for (int i = 1; i <= 9; ++i) w.platform.settings.writeString(std::to_string(i), sDir + "/f" + std::to_string(i));
    w.open();
    ASSERT_EQ(RecentItems(w).size(), 10u);
    EXPECT_EQ(RecentItems(w)[8], "&9 " + sDir + "/f9");
    std::filesystem::copy_file(TestSession("small.ovs"), sDir + "/a.ovs");
    std::filesystem::copy_file(TestSession("small.ovs"), sDir + "/b.ovs");
    EXPECT_TRUE(w.form().OpenSession(sDir + "/a.ovs"));
    EXPECT_TRUE(w.form().OpenSession(sDir + "/b.ovs"));
    EXPECT_EQ(RecentItems(w).front(), "&1 " + sDir + "/a.ovs");
    EXPECT_EQ(RecentItems(w)[8], "&9 " + sDir + "/f8") << "f9 pushed out";
    EXPECT_EQ(RecentItems(w).size(), 10u);
    w.pForm.reset();
    EXPECT_EQ(w.platform.settings.readString("1"), sDir + "/b.ovs");
    EXPECT_EQ(w.platform.settings.readString("2"), sDir + "/a.ovs");

    // An ampersand in a name is shown, not taken for an access key.
    MainWindow other(false);
    other.platform.settings.writeString("1", "/tmp/R&D.ovs");
    other.open();
    EXPECT_EQ(RecentItems(other).front(), "&1 /tmp/R&&D.ovs");
}

TEST(MainWindowSession, ResultsRecordsBecomeWindowsThroughTheFactoryOrAreKept)
{
    QTemporaryDir dir;
    const std::string sDir = dir.path().toStdString();
    std::filesystem::copy_file(TestSession("small.ovs"), sDir + "/small.ovs");
    const std::string sOriginal = ReadFile(sDir + "/small.ovs");

    // Without a factory the analysis is kept and written back as it was.
    MainWindow w;
    ASSERT_TRUE(w.form().OpenSession(sDir + "/small.ovs"));
    EXPECT_TRUE(w.form().ResultsWindows().empty());
    EXPECT_TRUE(w.form().Save());
    EXPECT_EQ(ReadFile(sDir + "/small.ovs"), sOriginal);

    // With a factory each record gets its window, placed where the record says, with the
    // tab setting; a change in it marks the session.
    MainWindow v;
    std::vector<FakeResultsWindow*> made;
    v.form().setResultsWindowFactory([&](const SessionWindow& record) {
        made.push_back(new FakeResultsWindow(record));
        return made.back()->bound();
    });
    ASSERT_TRUE(v.form().OpenSession(sDir + "/small.ovs"));
    ASSERT_EQ(made.size(), 1u);
    ASSERT_EQ(v.form().ResultsWindows().size(), 1u);
    QMdiSubWindow* pFrame = v.form().ResultsWindows().front();
    EXPECT_EQ(pFrame->geometry(), QRect(10, 10, 703, 454));
    EXPECT_EQ(v.form().MdiArea()->activeSubWindow(), pFrame) << "the results window was on top";
    EXPECT_TRUE(made.front()->tabsAtBottom());
    EXPECT_FALSE(v.form().Modified());
    made.front()->change();
    EXPECT_TRUE(v.form().Modified());

    // The records in stacking order: activating the data window puts it last.
    v.form().MdiArea()->setActiveSubWindow(v.form().DataWindowFrame());
    const std::vector<SessionWindow> records = v.form().SessionRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].type, SessionWindowType::ResultsWindow);
    EXPECT_EQ(records[0].geometry, (WindowGeometry{0, 10, 10, 454, 703}));
    EXPECT_EQ(records[1].type, SessionWindowType::DataWindow);

    // New closes the results windows.
    v.platform.messages.queueAnswer(MessageAnswer::No);
    EXPECT_TRUE(v.form().NewSession());
    EXPECT_TRUE(v.form().ResultsWindows().empty());
    EXPECT_EQ(v.form().SessionRecords().size(), 1u);
}

TEST(MainWindowSession, TheTabSettingMovesEveryWindowsTabsAndSurvivesARestart)
{
    MainWindow w;
    EXPECT_TRUE(w.form().TabsAtBottom()) << "missing means at the bottom";
    EXPECT_EQ(w.data().tabs()->tabPosition(), QTabWidget::South);
    auto* pResults = new FakeResultsWindow;
    w.form().AddResultsWindow(pResults->bound());
    EXPECT_TRUE(pResults->tabsAtBottom());

    w.item("AnalysisTabsAtBottomItem")->trigger();
    EXPECT_FALSE(w.item("AnalysisTabsAtBottomItem")->isChecked());
    EXPECT_EQ(w.data().tabs()->tabPosition(), QTabWidget::North);
    EXPECT_FALSE(pResults->tabsAtBottom());
    EXPECT_EQ(w.platform.settings.readBoolean("Display Tabs Bottom"), false);

    w.open();
    EXPECT_FALSE(w.item("AnalysisTabsAtBottomItem")->isChecked());
    EXPECT_EQ(w.data().tabs()->tabPosition(), QTabWidget::North);
    auto* pLater = new FakeResultsWindow;
    w.form().AddResultsWindow(pLater->bound());
    EXPECT_FALSE(pLater->tabsAtBottom()) << "a new window takes the setting";

    w.platform.settings.writeString("Display Tabs Bottom", "garbled");
    w.open();
    EXPECT_TRUE(w.form().TabsAtBottom()) << "unreadable means at the bottom";
}

TEST(MainWindowSession, CommandLineOpensASessionOrHandsTheClipboardOver)
{
    QTemporaryDir dir;
    std::filesystem::copy_file(TestSession("small.ovs"), dir.path().toStdString() + "/file.ovs");
    {
        MainWindow w;
        // A relative name is kept as the full name.
        const std::filesystem::path before = std::filesystem::current_path();
        std::filesystem::current_path(dir.path().toStdString());
        w.form().HandleCommandLine(ParseCommandLine({"file.ovs"}));
        std::filesystem::current_path(before);
        EXPECT_EQ(w.workbook().CellText(2, 1), "Weight");
        EXPECT_EQ(w.form().CurrentFile(), dir.path().toStdString() + "/file.ovs");
    }
    {
        MainWindow w;
        w.form().HandleCommandLine(ParseCommandLine({"missing.ovs"}));
        EXPECT_EQ(w.platform.messages.texts(), Captions{"Could not find file."});
        EXPECT_EQ(w.caption(), "Ostrel-Vane Studio - [untitled]") << "the program runs on, untitled";
    }
    {
        MainWindow w;
        QSignalSpy fast(&w.form(), &TMainWindowForm::fastAnalysisRequested);
        w.platform.clipboard.setText("1\t2\n3\t4");
        w.form().HandleCommandLine(ParseCommandLine({"-pc2", "-pr3"}));
        EXPECT_EQ(w.workbook().CellText(2, 3), "1");
        EXPECT_EQ(w.workbook().CellText(3, 4), "4");
        EXPECT_EQ(fast.count(), 0);
        EXPECT_EQ(w.workbook().Selection(), (CellRange{1, 1, 1, 1}));
        EXPECT_EQ(w.workbook().activeSheet().currentColumn(), 1u);
    }
    {
        MainWindow w;
        QSignalSpy fast(&w.form(), &TMainWindowForm::fastAnalysisRequested);
        // The analysis opens a results window; the first one found is maximized.
        QPointer<QMdiSubWindow> pFrame;
        QObject::connect(&w.form(), &TMainWindowForm::fastAnalysisRequested, [&] {
            EXPECT_EQ(w.workbook().Selection(), (CellRange{1, 1, 1, 1}));
            pFrame = w.form().AddResultsWindow((new FakeResultsWindow)->bound());
        });
        w.platform.clipboard.setText("5\n6\n7");
        w.form().HandleCommandLine(ParseCommandLine({"-a"}));
        EXPECT_EQ(w.workbook().CellText(1, 3), "7");
        EXPECT_EQ(fast.count(), 1);
        ASSERT_TRUE(pFrame);
        EXPECT_TRUE(pFrame->isMaximized());
    }
    {
        MainWindow w;
        QSignalSpy fast(&w.form(), &TMainWindowForm::fastAnalysisRequested);
        w.platform.clipboard.setText("5");
        w.form().HandleCommandLine(ParseCommandLine({"-st0", "-a"}));
        EXPECT_EQ(w.workbook().CellText(1, 1), "5") << "pasted all the same";
        EXPECT_EQ(fast.count(), 0) << "top row 0 is no selection";
    }
    {
        MainWindow w;
        w.platform.clipboard.setText("5");
        w.form().HandleCommandLine(ParseCommandLine({"-sr999"}));
        EXPECT_EQ(w.workbook().Selection(), (CellRange{1, 1, 256, 1}));
        EXPECT_EQ(w.data().cellEditor()->text(), "5") << "the editor on the selection's top-left cell";
    }
}
