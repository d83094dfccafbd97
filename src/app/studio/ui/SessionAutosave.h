// Ostrel-Vane Studio - autosave and crash recovery. While the session has unsaved changes,
// it is written with the session writer to a recovery file of this program's own in the
// user's data folder, once the changes have rested a few seconds (and at least once a
// minute while they go on). The user's own file is never written. Save, New, Open, an
// undo back to the saved state and a clean exit remove the recovery file. Each running
// program holds a lock file beside its recovery file, so a recovery file whose lock no
// running program holds was left by a program that ended without cleaning up; the next
// start offers it: restore it as an untitled, modified session, discard it, or decide later.
// A recovery file that cannot be written is told in the status bar, without a box.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <string_view>

class QLabel;

namespace HalvrennInc {

class Settings;
class TMainWindowForm;
class UserMessages;

class SessionAutosave : public QObject {
    Q_OBJECT
public:
    //! On ("true", the default) or off.
    static constexpr std::string_view kEnabledValueName = "Autosave";
    //! Seconds the changes rest before they are written (1 to 600; default 5).
    static constexpr std::string_view kSecondsValueName = "Autosave Seconds";
    static constexpr int kDefaultSeconds = 5;
    //! The longest time changes go unwritten while they go on.
    static constexpr int kLongestWaitSeconds = 60;

    //! Watches the main window's session, which must outlive it. The folder defaults to "recovery" in the user's
    //! data folder (QStandardPaths::AppDataLocation).
    SessionAutosave(TMainWindowForm& mainWindow, Settings& settings, UserMessages& messages,
                    const QString& sFolder = QString());
    //! A clean exit: the recovery file goes.
    ~SessionAutosave() override;

    //! Offers each recovery file that no running program holds, newest first: Restore
    //! reads it as the session (and ends the offers), Discard deletes it, Later keeps it
    //! for the next start. Returns whether a session was restored.
    bool OfferRecovery();
    //! Writes the recovery file now, when the session has unsaved changes.
    bool WriteNow();

    bool enabled() const { return m_bEnabled; }
    //! This program's recovery file (it exists only while there are unsaved changes).
    QString recoveryFile() const;
    QString folder() const { return m_sFolder; }
    //! The failure the status bar shows now ("" when none).
    QString noticeText() const;

private:
    void sessionChanged();
    void removeRecoveryFile();
    //! A failure of autosave, in the status bar and on the console.
    void notice(const QString& sText);
    QString pathOf(const QString& sId, const char* psSuffix) const;

    TMainWindowForm& m_mainWindow;
    UserMessages& m_messages;
    QString m_sFolder;
    QString m_sId;  //!< this program's files: <id>.ovs, <id>.name and <id>.lock
    std::unique_ptr<QLockFile> m_pLock;
    bool m_bEnabled = true;
    QTimer m_quiet;               //!< restarted by every change
    QTimer m_longest;             //!< started by the first unwritten change
    QLabel* m_pNotice = nullptr;  //!< the failure the status bar shows (the main window owns it)
};

}  // namespace HalvrennInc
