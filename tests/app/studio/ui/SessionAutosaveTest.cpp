// Autosave and recovery: unsaved changes go to a recovery file of the program's own once
// they rest, never to the user's file; saving, undoing back to the saved state and a clean
// exit remove it; a write that fails shows in the status bar; a file left by a program
// that ended without cleaning up is offered at the next start, and a running program's
// file is not.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoStack>

#include "MainWindowTestSupport.h"
#include "app/studio/ui/SessionAutosave.h"
#include "workbook/ui/DataWindowTestSupport.h"
#include "workbook/ui/WorkbookHistory.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
bool Exists(const QString& sPath)
{
    return QFile::exists(sPath);
}
}  // namespace

TEST(SessionAutosave, UnsavedChangesGoToARecoveryFileThatSavingAndAStopRemove)
{
    QTemporaryDir dir;
    const QString sFolder = dir.path() + QStringLiteral("/recovery");
    MainWindow w;
    w.platform.settings.writeInteger(SessionAutosave::kSecondsValueName, 1);
    auto pAutosave = std::make_unique<SessionAutosave>(w.form(), w.platform.settings, w.platform.messages, sFolder);
    ASSERT_TRUE(pAutosave->enabled());
    const QString sRecovery = pAutosave->recoveryFile();
    EXPECT_TRUE(sRecovery.startsWith(sFolder));
    EXPECT_FALSE(Exists(sRecovery)) << "nothing to recover yet";

    QTest::keyClicks(w.data().cellEditor(), QStringLiteral("49.7"));
    EXPECT_TRUE(WaitUntil([&] { return Exists(sRecovery); }, 4000)) << "written once the changes rest";
    const std::string sText = ReadFile(sRecovery.toStdString());
    EXPECT_NE(sText.find("\"49.7\""), std::string::npos);

    w.platform.fileDialogs.queueAnswer(dir.path().toStdString() + "/mine.ovs");
    ASSERT_TRUE(w.form().SaveAs());
    EXPECT_FALSE(Exists(sRecovery)) << "saved: nothing to recover";
    QTest::keyClick(w.data().cellEditor(), Qt::Key_Down);
    QTest::keyClicks(w.data().cellEditor(), QStringLiteral("1"));
    EXPECT_TRUE(pAutosave->WriteNow());
    EXPECT_TRUE(Exists(sRecovery));
    EXPECT_EQ(ReadFile(dir.path().toStdString() + "/mine.ovs").find("\"1\""), std::string::npos)
        << "the user's own file is never written";
    w.data().history().undoAction()->trigger();
    EXPECT_FALSE(Exists(sRecovery)) << "undone back to the saved state";
    EXPECT_FALSE(pAutosave->WriteNow());

    w.data().history().redoAction()->trigger();
    EXPECT_TRUE(pAutosave->WriteNow());
    EXPECT_EQ(pAutosave->noticeText(), QString());

    // A recovery file that cannot be written is told in the status bar, without a box,
    // until a later write succeeds.
    ASSERT_TRUE(QDir(sFolder).removeRecursively());
    QFile blocker(sFolder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(pAutosave->WriteNow());
    EXPECT_TRUE(pAutosave->noticeText().startsWith(QStringLiteral("Autosave failed: ")))
        << pAutosave->noticeText().toStdString();
    const auto* pNotice = w.form().statusBar()->findChild<QLabel*>(QStringLiteral("AutosaveNotice"));
    ASSERT_NE(pNotice, nullptr);
    EXPECT_EQ(pNotice->text(), pAutosave->noticeText());
    EXPECT_TRUE(w.platform.messages.shown().empty());
    ASSERT_TRUE(QFile::remove(sFolder));
    ASSERT_TRUE(QDir().mkpath(sFolder));
    EXPECT_TRUE(pAutosave->WriteNow());
    EXPECT_EQ(pAutosave->noticeText(), QString());
    pAutosave.reset();
    EXPECT_FALSE(Exists(sRecovery)) << "a clean exit leaves nothing behind";
    EXPECT_TRUE(QDir(sFolder).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // Switched off in the settings, nothing is written.
    w.platform.settings.writeBoolean(SessionAutosave::kEnabledValueName, false);
    SessionAutosave off(w.form(), w.platform.settings, w.platform.messages, sFolder);
    EXPECT_FALSE(off.WriteNow());
    EXPECT_TRUE(QDir(sFolder).entryList(QDir::Files).isEmpty());
}

TEST(SessionAutosave, ALeftRecoveryFileIsOfferedAndRestoredAsAnUntitledModifiedSession)
{
    QTemporaryDir dir;
    const QString sFolder = dir.path() + QStringLiteral("/recovery");
    const std::string sMine = dir.path().toStdString() + "/mine.ovs";
    // The first program saves, changes more, and writes its recovery file.
    MainWindow first;
    SessionAutosave firstAutosave(first.form(), first.platform.settings, first.platform.messages, sFolder);
    first.workbook().SetCellText(1, 1, "saved");
    first.platform.fileDialogs.queueAnswer(sMine);
    ASSERT_TRUE(first.form().SaveAs());
    first.platform.clipboard.setText("1\t2\n3\t4");
    first.data().SetCurrentCell(2, 2);
    first.data().Paste();
    ASSERT_TRUE(firstAutosave.WriteNow());

    // A second program running beside it does not take its file.
    MainWindow second;
    SessionAutosave secondAutosave(second.form(), second.platform.settings, second.platform.messages, sFolder);
    EXPECT_FALSE(secondAutosave.OfferRecovery());
    EXPECT_TRUE(second.platform.messages.shown().empty());

    // A file whose program is gone (no lock holds it) is offered; Later keeps it.
    const QString sLeft = sFolder + QStringLiteral("/session-left");
    ASSERT_TRUE(QFile::copy(firstAutosave.recoveryFile(), sLeft + QStringLiteral(".ovs")));
    QFile name(sLeft + QStringLiteral(".name"));
    ASSERT_TRUE(name.open(QIODevice::WriteOnly));
    name.write(QByteArray::fromStdString(sMine));
    name.close();
    second.platform.messages.queueAnswer(MessageAnswer::Later);
    EXPECT_FALSE(secondAutosave.OfferRecovery());
    ASSERT_EQ(second.platform.messages.shown().size(), 1u);
    const ShownMessage& offer = second.platform.messages.shown().front();
    EXPECT_EQ(offer.buttons, MessageButtons::RestoreDiscardLater);
    EXPECT_EQ(offer.sText.rfind("Restore the unsaved changes of " + sMine + " from ", 0), 0u) << offer.sText;
    EXPECT_TRUE(Exists(sLeft + QStringLiteral(".ovs")));
    EXPECT_FALSE(Exists(sLeft + QStringLiteral(".lock"))) << "the lock taken while asking is given back";

    // Restore: the session comes back untitled and modified, and the file goes.
    second.platform.messages.queueAnswer(MessageAnswer::Restore);
    EXPECT_TRUE(secondAutosave.OfferRecovery());
    EXPECT_EQ(second.workbook().CellText(1, 1), "saved");
    EXPECT_EQ(second.workbook().CellText(3, 3), "4");
    EXPECT_EQ(second.form().CurrentFile(), "");
    EXPECT_TRUE(second.form().Modified());
    EXPECT_FALSE(Exists(sLeft + QStringLiteral(".ovs")));
    EXPECT_FALSE(Exists(sLeft + QStringLiteral(".name")));
    EXPECT_TRUE(Exists(firstAutosave.recoveryFile())) << "the running program's file stays";
    second.platform.fileDialogs.queueAnswer(dir.path().toStdString() + "/restored.ovs");
    EXPECT_TRUE(second.form().Save()) << "Save asks for a name";
    EXPECT_EQ(second.platform.fileDialogs.calls().size(), 1u);

    // Discard deletes a left file without touching the session.
    ASSERT_TRUE(QFile::copy(firstAutosave.recoveryFile(), sLeft + QStringLiteral(".ovs")));
    second.platform.messages.queueAnswer(MessageAnswer::Discard);
    EXPECT_FALSE(secondAutosave.OfferRecovery());
    EXPECT_FALSE(Exists(sLeft + QStringLiteral(".ovs")));
    EXPECT_FALSE(second.form().Modified());
}
