// Fuzz target: the session reader on arbitrary bytes, the whole way from the header to
// the end marker, with the analyses rebuilt and their plots read over the rebuilt ones.
// A session read whole must write and read back; written again, it is the same text.
// A file that fails part way must leave the new, empty session.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "platform/ScriptedUserMessages.h"
#include "workbook/SessionFile.h"
#include "workbook/Workbook.h"

using namespace HalvrennInc;

namespace {

std::string Written(const SessionDocument& document)
{
    std::ostringstream out;
    WriteSessionText(out, document);
    return out.str();
}

SessionReadResult Read(const std::string& sText, SessionDocument& document)
{
    ScriptedUserMessages messages;
    std::istringstream in(sText);
    return ReadSessionText(in, document, SessionHooks(), messages);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Workbook workbook;
    SessionDocument document(workbook);
    const SessionReadResult result = Read(std::string(reinterpret_cast<const char*>(data), size), document);

    if (result == SessionReadResult::Corrupted) {
        const bool bEmpty = workbook.sheetCount() == 1 && workbook.sheet(1).lastUsedRow() == 0 &&
                            workbook.sheet(1).lastUsedColumn() == 0 && document.windows.size() == 1;
        if (!bEmpty) std::abort();
    }
    if (result != SessionReadResult::Read) return 0;

    const std::string sFirst = Written(document);
    Workbook again;
    SessionDocument documentAgain(again);
    if (Read(sFirst, documentAgain) != SessionReadResult::Read) std::abort();
    if (Written(documentAgain) != sFirst) std::abort();
    return 0;
}
