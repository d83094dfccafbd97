// Ostrel-Vane Studio - files handed to the desktop program all at once: dropped on the main
// window or named on its command line. Session files are opened, data files imported,
// in the order given.
#pragma once

#include <string>
#include <vector>

namespace HalvrennInc {

class UserMessages;

//! What the main window does with one file.
class FileOpener {
public:
    virtual ~FileOpener() = default;
    //! Opens a session file in place of the session (asking to save the old one first);
    //! false when it was not opened (cancelled, or not readable after its message).
    virtual bool openSession(const std::string& sFileName) = 0;
    //! Imports a data file into the workbook (after its own message when it cannot).
    virtual bool importDataFile(const std::string& sFileName) = 0;
};

enum class HandedFileKind { Session, Data, Folder, Unknown };

//! A folder, a session file (".ovs"), a data file (.txt, .csv, .xlsx, .ods, .xls), or a
//! file of a kind the program does not read; by name, any case.
HandedFileKind KindOfHandedFile(const std::string& sFileName);

//! Handles the files in order. A folder or a file of an unknown kind gets a message and
//! is passed over. A session that is not opened (the user cancelled the save question,
//! or it could not be read) ends the handling: the files after it were meant for it.
//! With bFirstIsSession the first file is a session file whatever its name, as the
//! command line has always taken it.
void OpenHandedFiles(const std::vector<std::string>& psFiles, FileOpener& opener, UserMessages& messages,
                     bool bFirstIsSession = false);

}  // namespace HalvrennInc
