// Ostrel-Vane Studio - the reader of binary workbooks (.xls). The decoder runs in a child
// process that sends the cells back through a pipe: a damaged file that makes the decoder
// read out of bounds, or never finish, ends only that process, and the import reports the
// file as damaged.
#include <freexl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "workbook/CellRange.h"
#include "workbook/SpreadsheetReaders.h"

namespace HalvrennInc {

namespace {

std::string CellText(const FreeXL_CellValue& value)
{
    switch (value.type) {
        case FREEXL_CELL_INT: return std::to_string(value.value.int_value);
        case FREEXL_CELL_DOUBLE: return ShortestNumberText(value.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME: return value.value.text_value != nullptr ? value.value.text_value : "";
        default: return {};
    }
}

bool ReadSheets(const void* pHandle, SpreadsheetContents& contents, std::string& sError)
{
    unsigned int uSheets = 0;
    if (freexl_get_info(pHandle, FREEXL_BIFF_SHEET_COUNT, &uSheets) != FREEXL_OK) {
        sError = "its list of sheets is damaged";
        return false;
    }
    for (unsigned int uSheet = 0; uSheet < uSheets && uSheet < 65536; ++uSheet) {
        const char* psName = nullptr;
        if (freexl_get_worksheet_name(pHandle, static_cast<unsigned short>(uSheet), &psName) != FREEXL_OK ||
            freexl_select_active_worksheet(pHandle, static_cast<unsigned short>(uSheet)) != FREEXL_OK) {
            sError = "its sheet " + std::to_string(uSheet + 1) + " is damaged";
            return false;
        }
        contents.addSheet(psName != nullptr ? psName : "");
        unsigned int uRows = 0;
        unsigned short uColumns = 0;
        if (freexl_worksheet_dimensions(pHandle, &uRows, &uColumns) != FREEXL_OK) {
            sError = "its sheet " + std::to_string(uSheet + 1) + " is damaged";
            return false;
        }
        for (unsigned int r = 0; r < uRows; ++r) {
            for (unsigned int c = 0; c < uColumns; ++c) {
                FreeXL_CellValue value;
                if (freexl_get_cell_value(pHandle, r, static_cast<unsigned short>(c), &value) != FREEXL_OK) continue;
                contents.addCell(c + 1, r + 1, CellText(value));
            }
        }
    }
    return true;
}

// The messages of the child: a kind byte, then lengths and texts.
void Put(std::string& s, std::uint64_t u)
{
    s.append(reinterpret_cast<const char*>(&u), sizeof u);
}
void Put(std::string& s, std::string_view sText)
{
    Put(s, static_cast<std::uint64_t>(sText.size()));
    s.append(sText);
}

bool WriteAll(int iFile, const std::string& s)
{
    std::size_t uDone = 0;
    while (uDone < s.size()) {
        const ssize_t iWritten = write(iFile, s.data() + uDone, s.size() - uDone);
        if (iWritten < 0 && errno == EINTR) continue;
        if (iWritten <= 0) return false;
        uDone += static_cast<std::size_t>(iWritten);
    }
    return true;
}

}  // namespace

std::string XlsChildMessage(const SpreadsheetContents& contents, bool bRead, const std::string& sError)
{
    std::string s;
    if (!bRead) {
        s += 'E';
        Put(s, sError);
        return s;
    }
    for (const ReadSheet& sheet : contents.sheets) {
        s += 'S';
        Put(s, sheet.sName);
        Put(s, sheet.uLastRow);
        Put(s, sheet.uLastColumn);
        for (const ReadCell& cell : sheet.cells) {
            s += 'C';
            Put(s, cell.uColumn);
            Put(s, cell.uRow);
            Put(s, cell.sText);
        }
    }
    s += 'K';
    return s;
}

namespace {

class Reader {
public:
    explicit Reader(std::string_view s) : m_s(s) {}
    bool kind(char& c)
    {
        if (m_u >= m_s.size()) return false;
        c = m_s[m_u++];
        return true;
    }
    bool number(std::uint64_t& u)
    {
        if (m_s.size() - m_u < sizeof u) return false;
        std::memcpy(&u, m_s.data() + m_u, sizeof u);
        m_u += sizeof u;
        return true;
    }
    bool text(std::string& sText)
    {
        std::uint64_t uLength = 0;
        if (!number(uLength) || m_s.size() - m_u < uLength) return false;
        sText.assign(m_s.data() + m_u, uLength);
        m_u += uLength;
        return true;
    }

private:
    std::string_view m_s;
    std::size_t m_u = 0;
};

}  // namespace

bool ReadXlsChildMessage(std::string_view sMessage, SpreadsheetContents& contents, std::string& sError)
{
    Reader reader(sMessage);
    char c = 0;
    std::string sText;
    while (reader.kind(c)) {
        if (c == 'K') return true;
        if (c == 'E') {
            // A reason is always given; one that is empty (or too long to show) is no reason.
            if (!reader.text(sError) || sError.empty() || sError.size() > 200) break;
            return false;
        }
        if (c == 'S') {
            std::uint64_t uLastRow = 0, uLastColumn = 0;
            if (!reader.text(sText) || !reader.number(uLastRow) || !reader.number(uLastColumn)) break;
            ReadSheet& sheet = contents.addSheet(sText);
            sheet.uLastRow = uLastRow;
            sheet.uLastColumn = uLastColumn;
        } else if (c == 'C') {
            std::uint64_t uColumn = 0, uRow = 0;
            if (!reader.number(uColumn) || !reader.number(uRow) || !reader.text(sText)) break;
            if (uColumn >= 1 && uColumn <= kSheetColumns && uRow >= 1 && uRow <= kSheetRows)
                contents.storeCell(static_cast<std::uint32_t>(uColumn), static_cast<std::uint32_t>(uRow), sText);
        } else {
            break;
        }
    }
    sError = "it is damaged (the decoder stopped before the end)";
    return false;
}

bool ReadXlsHere(const std::string& sFileName, SpreadsheetContents& contents, std::string& sError)
{
    const void* pHandle = nullptr;
    const int iOpened = freexl_open(sFileName.c_str(), &pHandle);
    bool bRead = false;
    if (iOpened != FREEXL_OK) {
        sError =
            iOpened == FREEXL_BIFF_OBFUSCATED ? "it is protected by a password" : "it is no readable .xls workbook";
    } else {
        unsigned int uPassword = 0;
        if (freexl_get_info(pHandle, FREEXL_BIFF_PASSWORD, &uPassword) == FREEXL_OK && uPassword != FREEXL_BIFF_PLAIN) {
            sError = "it is protected by a password";
        } else {
            bRead = ReadSheets(pHandle, contents, sError);
        }
    }
    if (pHandle != nullptr) freexl_close(pHandle);
    return bRead;
}

bool ReadXls(const std::string& sFileName, SpreadsheetContents& contents, std::string& sError)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        sError = "no process could be started to read it";
        return false;
    }
    const pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        sError = "no process could be started to read it";
        return false;
    }
    if (child == 0) {
        close(pipeEnds[0]);
        alarm(120);  // a decoder caught in a loop ends here
        SpreadsheetContents read;
        std::string sChildError;
        const bool bRead = ReadXlsHere(sFileName, read, sChildError);
        const bool bSent = WriteAll(pipeEnds[1], XlsChildMessage(read, bRead, sChildError));
        _exit(bSent ? 0 : 1);
    }
    close(pipeEnds[1]);
    std::string sMessage;
    char buffer[1 << 16];
    bool bTooLarge = false;
    for (;;) {
        const ssize_t iRead = read(pipeEnds[0], buffer, sizeof buffer);
        if (iRead < 0 && errno == EINTR) continue;
        if (iRead <= 0) break;
        if (sMessage.size() > 2 * SpreadsheetContents::kTextBytes) {
            bTooLarge = true;
            kill(child, SIGKILL);
            break;
        }
        sMessage.append(buffer, static_cast<std::size_t>(iRead));
    }
    close(pipeEnds[0]);
    int iStatus = 0;
    while (waitpid(child, &iStatus, 0) < 0 && errno == EINTR) {
    }
    if (bTooLarge) {
        sError = "it holds more cell text than can be read";
        return false;
    }
    if (!WIFEXITED(iStatus) || WEXITSTATUS(iStatus) != 0) {
        sError = "it is damaged (the decoder stopped before the end)";
        return false;
    }
    return ReadXlsChildMessage(sMessage, contents, sError);
}

}  // namespace HalvrennInc
