// Fuzz target: the .xlsx reader, on whole archives or on a worksheet part of a package
// that has a shared-string table and styles.
#include <cstddef>
#include <cstdint>

#include "SpreadsheetFuzzing.h"

using namespace HalvrennInc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string sInput(reinterpret_cast<const char*>(data), size);
    if (sInput.rfind("PK", 0) == 0) {
        fuzzing::ReadAndCheck(std::move(sInput), DataFileKind::Xlsx);
        return 0;
    }
    const std::string sMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string sDoc = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    fuzzing::ReadAndCheck(fuzzing::ZipOf({
                              {"[Content_Types].xml", "<Types/>"},
                              {"xl/workbook.xml", "<workbook xmlns=\"" + sMain + "\" xmlns:r=\"" + sDoc +
                                                      "\"><sheets><sheet name=\"S\" r:id=\"a\"/></sheets></workbook>"},
                              {"xl/_rels/workbook.xml.rels",
                               "<Relationships><Relationship Id=\"a\" Type=\"x/worksheet\" Target=\"/xl/s.xml\"/>"
                               "<Relationship Id=\"b\" Type=\"x/sharedStrings\" Target=\"strings.xml\"/>"
                               "<Relationship Id=\"c\" Type=\"x/styles\" Target=\"styles.xml\"/></Relationships>"},
                              {"xl/strings.xml", "<sst><si><t>a</t></si><si><r><t>b</t></r></si></sst>"},
                              {"xl/styles.xml",
                               "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy\"/></numFmts>"
                               "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"22\"/></cellXfs>"
                               "</styleSheet>"},
                              {"xl/s.xml", sInput},
                          }),
                          DataFileKind::Xlsx);
    return 0;
}
