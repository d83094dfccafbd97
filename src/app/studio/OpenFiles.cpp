// Ostrel-Vane Studio - files dropped on the main window or named on the command line.
#include "app/studio/OpenFiles.h"

#include <filesystem>

#include "platform/UserMessages.h"
#include "workbook/SpreadsheetFile.h"

namespace HalvrennInc {

namespace {

std::string BaseName(const std::string& sFileName)
{
    std::string sName = std::filesystem::path(sFileName).filename().string();
    return sName.empty() ? sFileName : sName;
}

bool IsSessionName(const std::string& sFileName)
{
    if (sFileName.size() < 4) return false;
    std::string sEnd = sFileName.substr(sFileName.size() - 4);
    for (char& c : sEnd)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return sEnd == ".ovs";
}

}  // namespace

HandedFileKind KindOfHandedFile(const std::string& sFileName)
{
    std::error_code error;
    if (std::filesystem::is_directory(sFileName, error)) return HandedFileKind::Folder;
    if (IsSessionName(sFileName)) return HandedFileKind::Session;
    if (IsDataFileName(sFileName)) return HandedFileKind::Data;
    return HandedFileKind::Unknown;
}

void OpenHandedFiles(const std::vector<std::string>& psFiles, FileOpener& opener, UserMessages& messages,
                     bool bFirstIsSession)
{
    for (std::size_t u = 0; u < psFiles.size(); ++u) {
        const std::string& sFile = psFiles[u];
        HandedFileKind kind = KindOfHandedFile(sFile);
        if (u == 0 && bFirstIsSession && kind == HandedFileKind::Unknown) kind = HandedFileKind::Session;
        switch (kind) {
            case HandedFileKind::Session:
                if (!opener.openSession(sFile)) return;
                break;
            case HandedFileKind::Data: opener.importDataFile(sFile); break;
            case HandedFileKind::Folder:
                messages.show("Error", "\"" + BaseName(sFile) + "\" is a folder. Drop the files in it instead.",
                              MessageIcon::Exclamation);
                break;
            case HandedFileKind::Unknown:
                messages.show("Error",
                              "\"" + BaseName(sFile) +
                                  "\" is not a file this program reads: session files (.ovs), text (.txt, .csv) "
                                  "and spreadsheet files (.xlsx, .ods, .xls).",
                              MessageIcon::Exclamation);
                break;
        }
    }
}

}  // namespace HalvrennInc
