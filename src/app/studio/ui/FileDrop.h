// Ostrel-Vane Studio - files dropped on the main window, and the files of the command
// line: session files are opened (after the save question), data files imported in the
// order given, anything else refused with a message.
#pragma once

#include <QObject>
#include <QStringList>
#include <string>
#include <vector>

class QMimeData;

namespace HalvrennInc {

class TMainWindowForm;
class UserMessages;

//! Opens or imports files through the main window, in order (OpenHandedFiles).
void OpenFilesInMainWindow(TMainWindowForm& window, const std::vector<std::string>& psFiles, UserMessages& messages,
                           bool bFirstIsSession = false);

//! The local files a drag carries, in order; empty when it carries none.
std::vector<std::string> DroppedFiles(const QMimeData* pData);

//! Accepts drags of files over the main window and handles the drop.
class FileDropFilter : public QObject {
    Q_OBJECT
public:
    //! Installs itself on the window (and makes the window accept drops).
    FileDropFilter(TMainWindowForm& window, UserMessages& messages);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    TMainWindowForm& m_window;
    UserMessages& m_messages;
};

}  // namespace HalvrennInc
