// Ostrel-Vane Studio - the open and save dialogs of the desktop (QFileDialog).
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/DesktopServices.h"
#include "platform/Settings.h"

namespace HalvrennInc {

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* pParent = nullptr) : m_pParent(pParent) {}
    void setParent(QWidget* pParent) { m_pParent = pParent; }
    //! Every dialog starts in the folder of the file last chosen, kept in the settings as
    //! "Last Folder" (which must outlive the dialogs).
    void keepLastFolder(Settings& settings) { m_pSettings = &settings; }
    static constexpr std::string_view kLastFolderValueName = "Last Folder";

    std::optional<std::string> openFile(std::string_view sTitle, std::string_view sFileName,
                                        std::string_view sFilter) override;
    std::optional<std::string> saveFile(std::string_view sTitle, std::string_view sFileName, std::string_view sFilter,
                                        std::string_view sDefaultExtension, bool bAskOverwrite) override;

private:
    std::optional<std::string> run(bool bSave, std::string_view sTitle, std::string_view sFileName,
                                   std::string_view sFilter, std::string_view sDefaultExtension, bool bAskOverwrite);
    QPointer<QWidget> m_pParent;
    Settings* m_pSettings = nullptr;
};

//! The program's "Description (*.ext)|*.ext|..." filter as Qt's name filters joined by
//! ";;": each description keeps its text and takes its own pattern list in parentheses
//! (patterns separated by ";" become spaces).
QString ToQtNameFilters(std::string_view sFilter);

}  // namespace HalvrennInc
