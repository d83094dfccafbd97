// Ostrel-Vane Studio - files dropped on the main window.
#include "app/studio/ui/FileDrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "app/studio/OpenFiles.h"
#include "app/studio/ui/TMainWindowForm.h"
#include "workbook/ui/TDataWindowForm.h"

namespace HalvrennInc {

namespace {

class MainWindowOpener : public FileOpener {
public:
    explicit MainWindowOpener(TMainWindowForm& window) : m_window(window) {}
    bool openSession(const std::string& sFileName) override { return m_window.OpenSession(sFileName); }
    bool importDataFile(const std::string& sFileName) override
    {
        return m_window.DataWindowForm()->ImportFile(sFileName);
    }

private:
    TMainWindowForm& m_window;
};

}  // namespace

void OpenFilesInMainWindow(TMainWindowForm& window, const std::vector<std::string>& psFiles, UserMessages& messages,
                           bool bFirstIsSession)
{
    MainWindowOpener opener(window);
    OpenHandedFiles(psFiles, opener, messages, bFirstIsSession);
}

std::vector<std::string> DroppedFiles(const QMimeData* pData)
{
    std::vector<std::string> psFiles;
    if (pData == nullptr || !pData->hasUrls()) return psFiles;
    for (const QUrl& url : pData->urls())
        if (url.isLocalFile()) psFiles.push_back(url.toLocalFile().toStdString());
    return psFiles;
}

FileDropFilter::FileDropFilter(TMainWindowForm& window, UserMessages& messages)
    : QObject(&window), m_window(window), m_messages(messages)
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool FileDropFilter::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched != &m_window) return false;
    if (pEvent->type() == QEvent::DragEnter || pEvent->type() == QEvent::DragMove) {
        auto* pDrag = static_cast<QDragMoveEvent*>(pEvent);
        if (DroppedFiles(pDrag->mimeData()).empty()) return false;
        pDrag->acceptProposedAction();
        return true;
    }
    if (pEvent->type() == QEvent::Drop) {
        auto* pDrop = static_cast<QDropEvent*>(pEvent);
        std::vector<std::string> psFiles = DroppedFiles(pDrop->mimeData());
        if (psFiles.empty()) return false;
        pDrop->acceptProposedAction();
        // The files are handled once the drop is over, so that the source of the drag is
        // not kept waiting through questions and imports.
        QTimer::singleShot(0, &m_window, [this, psFiles = std::move(psFiles)] {
            OpenFilesInMainWindow(m_window, psFiles, m_messages);
        });
        return true;
    }
    return false;
}

}  // namespace HalvrennInc
