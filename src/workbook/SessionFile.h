// Ostrel-Vane Studio - the session file: the whole session (the workbook of the data
// window and every open results window with its analysis, plot styles and view sizes)
// saved to and restored from one text file of whitespace-separated tokens. Version 2.0
// is written; versions 1.0 and 2.0 are read.
//
// The windows themselves belong to the desktop: here a session is plain data, the
// workbook plus one record per window in stacking order, which the desktop fills before
// a save and turns into windows after a read.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/Workbook.h"

namespace HalvrennInc {

class AnalysisResults;
class UserMessages;

//! The two names the header may carry, and the version written.
inline constexpr std::string_view kSessionProductName = "Ostrel-Vane Studio";
inline constexpr std::string_view kSessionProductNameWithoutHyphen = "Ostrel Vane Studio";
inline constexpr std::string_view kSessionVersionText = "2.0";

//! The window records: their types are the windows' tags.
enum class SessionWindowType : std::uint32_t { DataWindow = 1, ResultsWindow = 2 };

//! Pages of a results window, each with one view: values plot, values changes table,
//! values CUSUM chart, variation plot, variation changes table, variation CUSUM chart,
//! assumptions report.
inline constexpr std::size_t kResultsPageCount = 7;

//! One child window of the session.
struct SessionWindow {
    SessionWindowType type = SessionWindowType::DataWindow;
    // The rest is a results window's; the data window's geometry is the workbook's.
    WindowGeometry geometry;
    std::uint32_t uActivePage = 0;                              //!< 0..6, in page order
    std::array<std::int32_t, kResultsPageCount> piSizeModes{};  //!< SizeMode of each view, in page order
    std::shared_ptr<AnalysisResults> pResults;                  //!< shared with the window that shows it
};

//! What a session file holds: the workbook and the windows.
class SessionDocument {
public:
    //! A new session's windows: the data window alone.
    explicit SessionDocument(Workbook& workbook);

    Workbook& workbook() const { return m_workbook; }
    //! Stacking order: the bottom-most window first, the active one last.
    std::vector<SessionWindow> windows;

    //! A new, empty session: the workbook cleared and the data window alone.
    void Clear();
    //! Brings the data window to the top of the stack.
    void RaiseDataWindow();
    std::size_t ResultsWindowCount() const;

private:
    Workbook& m_workbook;
};

//! What reading asks of the main window.
struct SessionHooks {
    //! File > New, with its question whether to save the current session first: false
    //! when the user cancels it. Unset, the session is replaced without asking.
    std::function<bool()> newSession;
    //! Clears the session's modified flag (reading marks it as the workbook fills).
    std::function<void()> clearModified;
    //! Drops a file that could not be read from the recent-file list.
    std::function<void(const std::string&)> removeRecentFile;
};

enum class SessionReadResult {
    Read,            //!< the session is the file's: the caller makes it the current file
    NotFound,        //!< the file could not be opened; nothing changed
    NotSessionFile,  //!< not a session file; nothing changed
    TooRecent,       //!< a version above 2.0; nothing changed
    Cancelled,       //!< the user cancelled the new-session question; nothing changed
    Corrupted,       //!< the file failed part way: the session is new, empty and untitled
};

//! Saves the session. An existing file is replaced only once the new one is complete: the
//! text goes to a temporary file in the same folder, which is flushed, closed and renamed
//! over the target; on any failure the temporary file is removed and the old file stays
//! as it was. A write-protected file or folder gives "File could not be opened for
//! output.  May be write protected.", a folder that does not exist "File could not be
//! opened for output.  The folder does not exist.", a failed write "File could not be
//! written.  Disk may be full.". A request to stop (StopRequest.h) ends the write at the
//! next piece without a message, the old file kept. Returns success: the caller then
//! clears the session's modified flag. The hourglass shows while it runs.
bool WriteSession(const std::string& sFileName, const SessionDocument& document, UserMessages& messages);

//! Replaces the session by the file's, or tells why it cannot: "Could not find file.",
//! "File is not a Ostrel-Vane Studio data file." (both drop the name from the recent
//! files), "File is from more recent version of Ostrel-Vane Studio and cannot be read.",
//! or, once the old session is closed, "File is corrupted and could not be read." (an
//! empty untitled session; the name is dropped). A cancelled new-session question stops
//! it without a message. After Read the caller makes the file current.
SessionReadResult ReadSession(const std::string& sFileName, SessionDocument& document, const SessionHooks& hooks,
                              UserMessages& messages);

//! The session's text as WriteSession saves it; lines end in a line feed.
void WriteSessionText(std::ostream& out, const SessionDocument& document);
//! ReadSession on a stream that is open: every step after opening the file, with its
//! messages; the recent-file list is left to the caller.
SessionReadResult ReadSessionText(std::istream& in, SessionDocument& document, const SessionHooks& hooks,
                                  UserMessages& messages);

}  // namespace HalvrennInc
