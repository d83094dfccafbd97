// The main window with the undo history: Edit > Undo and Redo, the modified flag that
// follows the saved step, New and Open that start a new history, the hand-over paste as
// one step, and saves that fail without losing the modified flag or the old file.
#include <QLineEdit>
#include <QTemporaryDir>
#include <QUndoStack>
#include <filesystem>

#include "MainWindowTestSupport.h"
#include "app/studio/CommandLine.h"
#include "workbook/ui/WorkbookHistory.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;
using Captions = std::vector<std::string>;

TEST(MainWindowHistory, TheModifiedFlagFollowsTheSavedStepOfTheHistory)
{
    QTemporaryDir dir;
    MainWindow w;
    const Captions psEdit = w.menuCaptions("EditMenu");
    ASSERT_GE(psEdit.size(), 3u);
    EXPECT_EQ(Captions(psEdit.begin(), psEdit.begin() + 4), (Captions{"&Undo", "R&edo", "-", "Cu&t"}));
    QAction* pUndo = w.item("EditUndoItem");
    QAction* pRedo = w.item("EditRedoItem");
    EXPECT_FALSE(pUndo->isEnabled());

    QTest::keyClicks(w.data().cellEditor(), QStringLiteral("7"));
    EXPECT_TRUE(w.form().Modified());
    EXPECT_EQ(pUndo->text(), "&Undo Typing");
    pUndo->trigger();
    EXPECT_FALSE(w.form().Modified()) << "undone back to where the session started";
    pRedo->trigger();
    EXPECT_TRUE(w.form().Modified());

    w.platform.fileDialogs.queueAnswer(dir.path().toStdString() + "/data.ovs");
    ASSERT_TRUE(w.form().SaveAs());
    EXPECT_FALSE(w.form().Modified());
    QTest::keyClick(w.data().cellEditor(), Qt::Key_Down);
    QTest::keyClicks(w.data().cellEditor(), QStringLiteral("8"));
    EXPECT_TRUE(w.form().Modified());
    pUndo->trigger();
    EXPECT_FALSE(w.form().Modified()) << "back at the saved step";
    EXPECT_FALSE(w.form().isWindowModified()) << "the title bar's mark follows it";
    pUndo->trigger();
    EXPECT_TRUE(w.form().Modified()) << "before the saved step";
    EXPECT_TRUE(w.form().isWindowModified());
    EXPECT_EQ(w.workbook().CellText(1, 1), "");
    pRedo->trigger();
    EXPECT_FALSE(w.form().Modified());

    // Changes that are no steps of the workbook keep the session modified until a save.
    w.form().MarkModified();
    EXPECT_TRUE(w.form().Modified());
    w.workbook().SetCellText(3, 3, "x");
    pUndo->trigger();
    EXPECT_TRUE(w.form().Modified());
    ASSERT_TRUE(w.form().Save());
    EXPECT_FALSE(w.form().Modified());

    // New and Open start without steps.
    w.data().Paste();
    w.platform.clipboard.setText("1");
    w.data().Paste();
    EXPECT_EQ(pUndo->text(), "&Undo Paste");
    w.platform.messages.queueAnswer(MessageAnswer::No);
    ASSERT_TRUE(w.form().NewSession());
    EXPECT_FALSE(pUndo->isEnabled());
    EXPECT_FALSE(pRedo->isEnabled());
    EXPECT_FALSE(w.form().Modified());
    w.data().Paste();
    w.platform.messages.queueAnswer(MessageAnswer::No);
    ASSERT_TRUE(w.form().OpenSession(dir.path().toStdString() + "/data.ovs"));
    EXPECT_EQ(w.data().history().stack().count(), 0);
    EXPECT_FALSE(w.form().Modified());
}

TEST(MainWindowHistory, TheHandOverPasteIsOneStep)
{
    MainWindow w;
    w.platform.clipboard.setText("1\t2\n3\t4");
    w.form().HandleCommandLine(ParseCommandLine({"-pc2", "-pr3", "-sl2", "-st3", "-sr3", "-sb4"}));
    EXPECT_EQ(w.data().history().stack().count(), 1);
    EXPECT_EQ(w.item("EditUndoItem")->text(), "&Undo Paste");
    w.item("EditUndoItem")->trigger();
    EXPECT_EQ(w.workbook().CellText(2, 3), "");
    EXPECT_EQ(w.workbook().CellText(3, 4), "");
}

TEST(MainWindowHistory, EveryFailedSaveKeepsTheSessionModifiedAndTheOldFileWhole)
{
    QTemporaryDir dir;
    const std::string sDir = dir.path().toStdString();
    MainWindow w;
    w.workbook().SetCellText(1, 1, "saved");
    w.platform.fileDialogs.queueAnswer(sDir + "/data.ovs");
    ASSERT_TRUE(w.form().SaveAs());
    const std::string sSaved = ReadFile(sDir + "/data.ovs");
    QTest::keyClicks(w.data().cellEditor(), QStringLiteral(" or not"));
    const std::string sTyped(w.workbook().CellText(1, 1));
    ASSERT_TRUE(w.form().Modified());

    // A folder that refuses to be written into: its place is taken by a regular file
    // (permissions refuse nothing to the superuser). A folder in the place of the file.
    std::ofstream(sDir + "/plain") << "a file, not a folder";
    std::filesystem::create_directory(sDir + "/folder.ovs");
    for (const std::string& sTarget : {sDir + "/plain/data.ovs", sDir + "/folder.ovs"}) {
        w.platform.messages.clear();
        w.platform.fileDialogs.queueAnswer(sTarget);
        EXPECT_FALSE(w.form().SaveAs()) << sTarget;
        EXPECT_EQ(w.platform.messages.shown().size(), 1u) << "the failure says so: " << sTarget;
        EXPECT_TRUE(w.form().Modified()) << sTarget;
        EXPECT_EQ(w.form().CurrentFile(), sDir + "/data.ovs") << sTarget;
    }
    EXPECT_TRUE(std::filesystem::is_directory(sDir + "/folder.ovs"));

    // The current file's folder is no longer writable: Save fails, the old file stays.
    std::filesystem::rename(sDir, sDir + "-moved");
    std::ofstream(sDir) << "the folder is gone";
    w.platform.messages.clear();
    EXPECT_FALSE(w.form().Save());
    EXPECT_EQ(w.platform.messages.texts(),
              Captions{"File could not be opened for output.  The folder does not exist."});
    EXPECT_TRUE(w.form().Modified());
    // The question of New: Yes with a failing save keeps everything.
    w.platform.messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_FALSE(w.form().NewSession());
    EXPECT_EQ(w.workbook().CellText(1, 1), sTyped);
    EXPECT_TRUE(w.form().Modified());
    std::filesystem::remove(sDir);
    std::filesystem::rename(sDir + "-moved", sDir);
    EXPECT_EQ(ReadFile(sDir + "/data.ovs"), sSaved) << "the old file is whole";
}
