// Ostrel-Vane Studio - the session file.
#include "workbook/SessionFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <locale>
#include <optional>
#include <sstream>

#include "analysis/AnalysisRecord.h"
#include "analysis/SessionTokens.h"
#include "graphics/SizeMode.h"
#include "platform/StopRequest.h"
#include "platform/UserMessages.h"
#include "platform/WaitCursor.h"
#include "results/AnalysisResults.h"
#include "workbook/WorkbookRecord.h"

namespace HalvrennInc {

namespace {

constexpr std::string_view kCannotOpenForOutput = "File could not be opened for output.  May be write protected.";
constexpr std::string_view kNoFolder = "File could not be opened for output.  The folder does not exist.";
constexpr std::string_view kCannotWrite = "File could not be written.  Disk may be full.";
constexpr std::string_view kNotFound = "Could not find file.";
constexpr std::string_view kNotSessionFile = "File is not a Ostrel-Vane Studio data file.";
constexpr std::string_view kTooRecent = "File is from more recent version of Ostrel-Vane Studio and cannot be read.";
constexpr std::string_view kCorrupted = "File is corrupted and could not be read.";

const Real kWrittenVersion{2.0};

void ShowError(UserMessages& messages, std::string_view sText)
{
    messages.show("Error", sText, MessageIcon::Exclamation);
}

//! The four plots of a results window in the order of the file.
std::array<Plot*, 4> StoredPlots(AnalysisResults& results)
{
    return {results.ValuesPlot(), results.ValuesCusumChart(), results.VariationPlot(), results.VariationCusumChart()};
}

// ---------------------------------------------------------------------------------------
// Saving without losing the old file

enum class SaveOutcome {
    Saved,
    NotOpened,
    NoFolder,  //!< the folder named for the file does not exist
    NotWritten,
    Stopped,  //!< a request to stop came first
};

//! Writes go out in pieces of this size, with a look for a request to stop between them.
constexpr std::size_t kWritePiece = 1 << 20;

bool WriteAll(int fd, std::string_view sText)
{
    while (!sText.empty()) {
        if (StopRequested()) return false;
        const ssize_t iWritten = ::write(fd, sText.data(), std::min(sText.size(), kWritePiece));
        if (iWritten < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        sText.remove_prefix(static_cast<std::size_t>(iWritten));
    }
    return true;
}

// Into a device or a pipe (the command line may name one) the text goes as it is: there
// is nothing to keep and nothing to rename over.
SaveOutcome WriteInPlace(const std::string& sPath, std::string_view sText)
{
    const int fd = ::open(sPath.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return SaveOutcome::NotOpened;
    const bool bWritten = WriteAll(fd, sText);
    if (::close(fd) == 0 && bWritten) return SaveOutcome::Saved;
    return StopRequested() ? SaveOutcome::Stopped : SaveOutcome::NotWritten;
}

// A new file beside the target, created with the permissions a new file gets (the
// process's umask applies); the name is unique within the folder.
int CreateTemporaryBeside(const std::filesystem::path& target, std::string& sTemporary)
{
    static std::atomic<unsigned> s_uCount{0};
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    for (int iAttempt = 0; iAttempt < 100; ++iAttempt) {
        sTemporary = (folder / (".ovs-save-" + std::to_string(::getpid()) + "-" + std::to_string(s_uCount++))).string();
        const int fd = ::open(sTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

SaveOutcome SaveReplacing(const std::string& sFileName, std::string_view sText)
{
    std::error_code error;
    std::filesystem::path target(sFileName);
    struct stat existing {};
    const bool bExists = ::stat(sFileName.c_str(), &existing) == 0;
    if (bExists) {
        // A file the user may not write stays as it is, as it would if it were opened
        // for output.
        if (S_ISDIR(existing.st_mode) || ::access(sFileName.c_str(), W_OK) != 0) return SaveOutcome::NotOpened;
        if (!S_ISREG(existing.st_mode)) return WriteInPlace(sFileName, sText);
        // A link keeps pointing at the file it names; that file is the one replaced.
        const std::filesystem::path resolved = std::filesystem::canonical(target, error);
        if (!error) target = resolved;
    }

    std::string sTemporary;
    const int fd = CreateTemporaryBeside(target, sTemporary);
    if (fd < 0) {
        std::error_code folderError;
        const bool bFolder =
            std::filesystem::is_directory(target.has_parent_path() ? target.parent_path() : ".", folderError);
        return bFolder ? SaveOutcome::NotOpened : SaveOutcome::NoFolder;
    }
    bool bWritten = WriteAll(fd, sText);
    if (bWritten && bExists) bWritten = ::fchmod(fd, existing.st_mode & 07777) == 0;
    bWritten = bWritten && ::fsync(fd) == 0;
    bWritten = ::close(fd) == 0 && bWritten;
    bWritten = bWritten && !StopRequested() && ::rename(sTemporary.c_str(), target.c_str()) == 0;
    if (!bWritten) {
        ::unlink(sTemporary.c_str());
        return StopRequested() ? SaveOutcome::Stopped : SaveOutcome::NotWritten;
    }
    return SaveOutcome::Saved;
}

// ---------------------------------------------------------------------------------------
// Reading

//! Message boxes that put the hourglass away while they show, and back afterwards.
class MessagesWithoutHourglass : public UserMessages {
public:
    MessagesWithoutHourglass(UserMessages& messages, std::optional<WaitCursorGuard>& cursor)
        : m_messages(messages), m_cursor(cursor)
    {
    }
    void show(std::string_view sCaption, std::string_view sText, MessageIcon icon) override
    {
        const bool bShowing = m_cursor.has_value();
        m_cursor.reset();
        m_messages.show(sCaption, sText, icon);
        if (bShowing) m_cursor.emplace();
    }
    MessageAnswer ask(std::string_view sCaption, std::string_view sText, MessageButtons buttons,
                      MessageIcon icon) override
    {
        const bool bShowing = m_cursor.has_value();
        m_cursor.reset();
        const MessageAnswer answer = m_messages.ask(sCaption, sText, buttons, icon);
        if (bShowing) m_cursor.emplace();
        return answer;
    }

private:
    UserMessages& m_messages;
    std::optional<WaitCursorGuard>& m_cursor;
};

class WindowRecordsReader {
public:
    WindowRecordsReader(std::istream& in, const Real& version, SessionDocument& document, UserMessages& messages)
        : m_r(in), m_version(version), m_document(document), m_messages(messages)
    {
    }

    //! The records up to the end marker "0"; a record of another type has nothing to read.
    bool Read()
    {
        for (;;) {
            std::int32_t iType = 0;
            if (!m_r.integer(iType)) return false;
            if (iType == 0) return true;
            if (iType == static_cast<std::int32_t>(SessionWindowType::DataWindow) && !ReadDataWindow()) return false;
            if (iType == static_cast<std::int32_t>(SessionWindowType::ResultsWindow) && !ReadResultsWindow())
                return false;
        }
    }

private:
    bool ReadGeometry(WindowGeometry& geometry)
    {
        return m_r.integer(geometry.iState, 0, 2) && m_r.integer(geometry.iTop) && m_r.integer(geometry.iLeft) &&
               m_r.integer(geometry.iHeight) && m_r.integer(geometry.iWidth);
    }

    bool ReadDataWindow()
    {
        WindowGeometry geometry;
        if (!ReadGeometry(geometry)) return false;
        m_document.workbook().setDataWindowGeometry(geometry);
        m_document.RaiseDataWindow();
        return true;
    }

    // A window that fails part way is dropped.
    bool ReadResultsWindow()
    {
        SessionWindow window;
        window.type = SessionWindowType::ResultsWindow;
        if (!ReadGeometry(window.geometry) || !m_r.integer(window.uActivePage, 0, kResultsPageCount - 1)) return false;

        auto pAnalysis = std::make_unique<ChangePointAnalysis>();
        if (!ReadAnalysisRecord(m_r.stream(), m_version, *pAnalysis, m_messages)) return false;
        // The tables and charts are built from the stored data; the stored plots then
        // bring back the user's plot options.
        window.pResults = std::make_shared<AnalysisResults>(std::move(pAnalysis));
        if (!IsFirstFileVersion(m_version)) {
            for (Plot* pPlot : StoredPlots(*window.pResults))
                if (!pPlot || !pPlot->Read(m_r.stream(), m_version, true)) return SessionTokenReader::fail();
            for (std::int32_t& iMode : window.piSizeModes)
                if (!m_r.integer(iMode, SizeToFit, Size400)) return false;
        }
        m_document.windows.push_back(std::move(window));
        return true;
    }

    SessionTokenReader m_r;
    const Real& m_version;
    SessionDocument& m_document;
    UserMessages& m_messages;
};

void WriteResultsWindow(std::ostream& out, const SessionWindow& window)
{
    const WindowGeometry& g = window.geometry;
    WriteIntegerLine(out, {static_cast<std::int64_t>(SessionWindowType::ResultsWindow), g.iState, g.iTop, g.iLeft,
                           g.iHeight, g.iWidth, window.uActivePage});
    WriteAnalysisRecord(out, window.pResults->Analysis());
    for (Plot* pPlot : StoredPlots(*window.pResults)) {
        pPlot->Write(out, kWrittenVersion, true);
        out.put('\n');
    }
    const auto& m = window.piSizeModes;
    WriteIntegerLine(out, {m[0], m[1], m[2], m[3], m[4], m[5], m[6]});
}

}  // namespace

// ---------------------------------------------------------------------------------------

SessionDocument::SessionDocument(Workbook& workbook) : windows(1), m_workbook(workbook) {}

void SessionDocument::Clear()
{
    m_workbook.ClearWorkbook();
    windows.assign(1, SessionWindow());
}

void SessionDocument::RaiseDataWindow()
{
    std::erase_if(windows, [](const SessionWindow& window) { return window.type == SessionWindowType::DataWindow; });
    windows.emplace_back();
}

std::size_t SessionDocument::ResultsWindowCount() const
{
    return static_cast<std::size_t>(std::count_if(windows.begin(), windows.end(), [](const SessionWindow& window) {
        return window.type == SessionWindowType::ResultsWindow;
    }));
}

void WriteSessionText(std::ostream& out, const SessionDocument& document)
{
    String(kSessionProductName).writeQuoted(out);
    out << kSessionVersionText << " \n";
    WriteWorkbookRecord(out, document.workbook());
    for (const SessionWindow& window : document.windows) {
        if (window.type == SessionWindowType::DataWindow) {
            const WindowGeometry& g = document.workbook().dataWindowGeometry();
            WriteIntegerLine(out, {static_cast<std::int64_t>(SessionWindowType::DataWindow), g.iState, g.iTop, g.iLeft,
                                   g.iHeight, g.iWidth});
        } else if (window.pResults && window.pResults->Built()) {
            // A results window always shows a built analysis; one without charts has no
            // record a reader could take.
            WriteResultsWindow(out, window);
        }
    }
    out << "0\n";
}

bool WriteSession(const std::string& sFileName, const SessionDocument& document, UserMessages& messages)
{
    WaitCursorGuard cursor;
    std::ostringstream out;
    out.imbue(std::locale::classic());
    WriteSessionText(out, document);
    const SaveOutcome outcome = SaveReplacing(sFileName, out.view());
    cursor.release();
    if (outcome == SaveOutcome::NotOpened) ShowError(messages, kCannotOpenForOutput);
    if (outcome == SaveOutcome::NoFolder) ShowError(messages, kNoFolder);
    if (outcome == SaveOutcome::NotWritten) ShowError(messages, kCannotWrite);
    return outcome == SaveOutcome::Saved;
}

SessionReadResult ReadSessionText(std::istream& in, SessionDocument& document, const SessionHooks& hooks,
                                  UserMessages& messages)
{
    clearReadFailure();
    SessionTokenReader r(in);
    String sName;
    Real version;
    const bool bHeader = r.text(sName) && r.real(version);
    if (!bHeader || !version.isValid() ||
        (sName.view() != kSessionProductName && sName.view() != kSessionProductNameWithoutHyphen)) {
        ShowError(messages, kNotSessionFile);
        return SessionReadResult::NotSessionFile;
    }
    if (version > kWrittenVersion) {
        ShowError(messages, kTooRecent);
        return SessionReadResult::TooRecent;
    }
    if (hooks.newSession && !hooks.newSession()) return SessionReadResult::Cancelled;
    document.Clear();

    std::optional<WaitCursorGuard> cursor(std::in_place);
    MessagesWithoutHourglass quietMessages(messages, cursor);
    const bool bRead = ReadWorkbookRecord(in, version, document.workbook()) &&
                       WindowRecordsReader(in, version, document, quietMessages).Read();
    if (hooks.clearModified) hooks.clearModified();
    cursor.reset();
    if (bRead && !readFailed()) return SessionReadResult::Read;

    ShowError(messages, kCorrupted);
    // A new session again, with nothing to save, so the user is not asked.
    if (hooks.newSession) hooks.newSession();
    document.Clear();
    if (hooks.clearModified) hooks.clearModified();
    return SessionReadResult::Corrupted;
}

SessionReadResult ReadSession(const std::string& sFileName, SessionDocument& document, const SessionHooks& hooks,
                              UserMessages& messages)
{
    auto removeFromRecentFiles = [&] {
        if (hooks.removeRecentFile) hooks.removeRecentFile(sFileName);
    };
    std::error_code error;
    std::ifstream in;
    if (!std::filesystem::is_directory(sFileName, error)) in.open(sFileName, std::ios::binary);
    if (!in.is_open()) {
        ShowError(messages, kNotFound);
        removeFromRecentFiles();
        return SessionReadResult::NotFound;
    }
    const SessionReadResult result = ReadSessionText(in, document, hooks, messages);
    if (result == SessionReadResult::NotSessionFile || result == SessionReadResult::Corrupted) removeFromRecentFiles();
    return result;
}

}  // namespace HalvrennInc
