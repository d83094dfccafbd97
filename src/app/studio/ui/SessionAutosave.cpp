// Ostrel-Vane Studio - autosave and crash recovery.
#include "app/studio/ui/SessionAutosave.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStatusBar>
#include <algorithm>
#include <iostream>

#include "app/studio/ui/TMainWindowForm.h"
#include "platform/ScriptedUserMessages.h"
#include "platform/Settings.h"
#include "workbook/SessionFile.h"
#include "workbook/ui/TDataWindowForm.h"

namespace HalvrennInc {

namespace {
constexpr const char* kSessionSuffix = ".ovs";
constexpr const char* kNameSuffix = ".name";
constexpr const char* kLockSuffix = ".lock";

QString DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}
}  // namespace

SessionAutosave::SessionAutosave(TMainWindowForm& mainWindow, Settings& settings, UserMessages& messages,
                                 const QString& sFolder)
    : m_mainWindow(mainWindow), m_messages(messages), m_sFolder(sFolder.isEmpty() ? DefaultFolder() : sFolder)
{
    m_bEnabled = settings.readBoolean(kEnabledValueName).value_or(true);
    const std::int64_t iSeconds =
        std::clamp<std::int64_t>(settings.readInteger(kSecondsValueName).value_or(kDefaultSeconds), 1, 600);
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(static_cast<int>(iSeconds) * 1000);
    m_longest.setSingleShot(true);
    m_longest.setInterval(kLongestWaitSeconds * 1000);
    connect(&m_quiet, &QTimer::timeout, this, &SessionAutosave::WriteNow);
    connect(&m_longest, &QTimer::timeout, this, &SessionAutosave::WriteNow);

    if (!m_bEnabled) return;
    // The process number and the start time keep the files of programs apart; the lock
    // tells that this program is running.
    m_sId = QStringLiteral("session-%1-%2")
                .arg(QCoreApplication::applicationPid())
                .arg(QDateTime::currentMSecsSinceEpoch());
    if (!QDir().mkpath(m_sFolder)) {
        notice(QStringLiteral("Autosave is off: the folder %1 cannot be made.").arg(m_sFolder));
        m_bEnabled = false;
        return;
    }
    m_pLock = std::make_unique<QLockFile>(pathOf(m_sId, kLockSuffix));
    m_pLock->setStaleLockTime(0);
    if (!m_pLock->tryLock(0)) {
        notice(QStringLiteral("Autosave is off: the lock %1 cannot be taken.").arg(m_pLock->fileName()));
        m_bEnabled = false;
        return;
    }
    connect(&m_mainWindow, &TMainWindowForm::sessionStateChanged, this, &SessionAutosave::sessionChanged);
}

SessionAutosave::~SessionAutosave()
{
    removeRecoveryFile();
    if (m_pLock) m_pLock->unlock();
}

void SessionAutosave::notice(const QString& sText)
{
    std::cerr << sText.toStdString() << '\n';
    // A permanent part of the status bar: menu hints passing over it do not wipe it out.
    if (!m_pNotice) {
        m_pNotice = new QLabel(&m_mainWindow);
        m_pNotice->setObjectName(QStringLiteral("AutosaveNotice"));
        m_mainWindow.statusBar()->addPermanentWidget(m_pNotice);
    }
    m_pNotice->setText(sText);
    m_pNotice->show();
}

QString SessionAutosave::noticeText() const
{
    return m_pNotice && !m_pNotice->isHidden() ? m_pNotice->text() : QString();
}

QString SessionAutosave::pathOf(const QString& sId, const char* psSuffix) const
{
    return m_sFolder + QLatin1Char('/') + sId + QLatin1String(psSuffix);
}

QString SessionAutosave::recoveryFile() const
{
    return pathOf(m_sId, kSessionSuffix);
}

void SessionAutosave::sessionChanged()
{
    if (!m_bEnabled) return;
    if (!m_mainWindow.Modified()) {
        // Saved, new, read, or undone back to the saved state: nothing to recover.
        m_quiet.stop();
        m_longest.stop();
        removeRecoveryFile();
        return;
    }
    m_quiet.start();
    if (!m_longest.isActive()) m_longest.start();
}

bool SessionAutosave::WriteNow()
{
    m_quiet.stop();
    m_longest.stop();
    if (!m_bEnabled || !m_mainWindow.Modified()) return false;
    SessionDocument document(m_mainWindow.DataWindowForm()->workbook());
    document.windows = m_mainWindow.SessionRecords();
    // No box interrupts the user for a recovery file: a failure shows in the status bar
    // (and on the console) until a later write succeeds.
    ScriptedUserMessages quiet;
    if (!WriteSession(recoveryFile().toStdString(), document, quiet)) {
        QString sText = QStringLiteral("Autosave failed");
        if (!quiet.texts().empty()) sText += QStringLiteral(": ") + QString::fromStdString(quiet.texts().back());
        notice(sText);
        return false;
    }
    if (m_pNotice) m_pNotice->hide();
    QSaveFile name(pathOf(m_sId, kNameSuffix));
    if (name.open(QIODevice::WriteOnly)) {
        name.write(QByteArray::fromStdString(m_mainWindow.CurrentFile()));
        name.commit();
    }
    return true;
}

void SessionAutosave::removeRecoveryFile()
{
    QFile::remove(pathOf(m_sId, kSessionSuffix));
    QFile::remove(pathOf(m_sId, kNameSuffix));
}

bool SessionAutosave::OfferRecovery()
{
    if (!m_bEnabled) return false;
    QDir folder(m_sFolder);
    const QFileInfoList files =
        folder.entryInfoList({QStringLiteral("*") + QLatin1String(kSessionSuffix)}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files) {
        const QString sId = file.completeBaseName();
        if (sId == m_sId) continue;
        // A running program holds its lock; the lock of one that ended is taken over
        // while its file is offered, so that two starts do not both offer it.
        QLockFile lock(pathOf(sId, kLockSuffix));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0)) continue;
        QFile nameFile(pathOf(sId, kNameSuffix));
        QString sName;
        if (nameFile.open(QIODevice::ReadOnly)) sName = QString::fromUtf8(nameFile.readAll());
        nameFile.close();
        if (sName.isEmpty()) sName = QStringLiteral("[untitled]");
        const QString sTime = file.lastModified().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        const QString sQuestion = QStringLiteral("Restore the unsaved changes of %1 from %2?").arg(sName, sTime);
        const MessageAnswer answer = m_messages.ask("Recover Session", sQuestion.toStdString(),
                                                    MessageButtons::RestoreDiscardLater, MessageIcon::Question);
        if (answer == MessageAnswer::Later) continue;
        if (answer == MessageAnswer::Restore && !m_mainWindow.RestoreSession(file.filePath().toStdString())) continue;
        QFile::remove(file.filePath());
        nameFile.remove();
        if (answer == MessageAnswer::Restore) return true;
    }
    return false;
}

}  // namespace HalvrennInc
