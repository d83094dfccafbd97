// Fuzz target: the .ods reader, on whole archives or on the content part of a package.
#include <cstddef>
#include <cstdint>

#include "SpreadsheetFuzzing.h"

using namespace HalvrennInc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string sInput(reinterpret_cast<const char*>(data), size);
    if (sInput.rfind("PK", 0) == 0) {
        fuzzing::ReadAndCheck(std::move(sInput), DataFileKind::Ods);
        return 0;
    }
    fuzzing::ReadAndCheck(
        fuzzing::ZipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", sInput}}),
        DataFileKind::Ods);
    return 0;
}
