// 'ovs analyze' on damaged and unusual text files and on malformed command lines: every
// file is either analysed, with whatever was left out or converted said on standard
// error, or refused with a message that names the fault and exit status 1.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "OvsRun.h"

using namespace HalvrennInc;

namespace {

std::string Corpus(const std::string& sName)
{
    return std::string(OVS_TEST_DATA_DIR) + "/workbook/" + sName;
}

struct Folder {
    Folder() : path(std::filesystem::temp_directory_path() / ("ovs-damaged-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path);
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::string write(const std::string& sName, const std::string& sText) const
    {
        std::ofstream(path / sName, std::ios::binary) << sText;
        return (path / sName).string();
    }
    std::filesystem::path path;
};

}  // namespace

TEST(OvsDamagedInput, FilesAreAnalysedWithANoteOrRefusedWithTheirFault)
{
    const OvsResult open = RunOvs("analyze " + Corpus("unclosed_quote_row_25.csv") + " --select B1 --seed 1");
    EXPECT_EQ(open.iStatus, 1);
    EXPECT_EQ(open.sOut, "");
    EXPECT_EQ(open.sErr, "Unterminated quote in line 26.\n");
    EXPECT_EQ(RunOvs("analyze " + Corpus("binary.txt")).sErr, "The file is not text.\n");
    const OvsResult empty = RunOvs("analyze " + Corpus("empty.txt"));
    EXPECT_EQ(empty.iStatus, 1);
    EXPECT_EQ(empty.sErr, "The file is empty.\n");

    // The rows past the grid are named and the run goes on with the rest.
    Folder folder;
    std::string sLong = "Lot\tValue\n";
    for (int iRow = 2; iRow <= 20000; ++iRow) sLong += "L" + std::to_string(iRow) + "\t" + (iRow < 40 ? "5\n" : "9\n");
    const OvsResult past = RunOvs("analyze " + folder.write("long.txt", sLong) + " --select B1 --seed 1 --trials 100");
    EXPECT_EQ(past.iStatus, 0) << past.sErr;
    EXPECT_EQ(past.sErr.rfind("10000 rows beyond row 10000 were not read.\n", 0), 0u) << past.sErr;
    EXPECT_EQ(past.sOut.rfind("Data: Sheet 1, Column B, Rows 2 - 10000\n", 0), 0u) << past.sOut;

    // Readable once decoded or converted: the same series as the plain file.
    const OvsResult plain = RunOvs("analyze " +
                                   folder.write("plain.txt",
                                                "a\tb\n1\t9.1\n2\t9.2\n3\t9.3\n4\t9.4\n5\t9.5\n6\t9.6\n"
                                                "7\t9.7\n8\t9.8\n") +
                                   " --select B2:B9 --seed 1 --format json");
    ASSERT_EQ(plain.iStatus, 0) << plain.sErr;
    const std::string sValues = plain.sOut.substr(plain.sOut.find("\"values_per_period\""));
    for (const char* psName :
         {"utf16_little_endian.txt", "utf16_big_endian.txt", "decimal_commas.csv", "cr_line_ends.txt"}) {
        const OvsResult read = RunOvs("analyze " + Corpus(psName) + " --select B2:B9 --seed 1 --format json");
        ASSERT_EQ(read.iStatus, 0) << psName << ": " << read.sErr;
        EXPECT_EQ(read.sOut.substr(read.sOut.find("\"values_per_period\"")), sValues) << psName;
        EXPECT_EQ(read.sErr,
                  std::string(psName) == "decimal_commas.csv" ? "Decimal commas were read as decimal points.\n" : "")
            << psName;
    }

    // Decimal commas in a tab-delimited file are not numbers: the message shows them.
    const OvsResult commas =
        RunOvs("analyze " + folder.write("commas.txt", "9,1\n9,2\n9,3\n9,4\n9,5\n") + " --select A1");
    EXPECT_EQ(commas.iStatus, 1);
    EXPECT_EQ(commas.sErr, "Column A holds no numbers (first cells: \"9,1\", \"9,2\", \"9,3\").\n");
}

TEST(OvsDamagedInput, MalformedCommandLinesAreUsageErrors)
{
    const std::string sExample = std::string(OVS_EXAMPLES_DIR) + "/thickness.txt";
    const OvsResult dash = RunOvs("analyze -x " + sExample);
    EXPECT_EQ(dash.iStatus, 2);
    EXPECT_NE(dash.sErr.find("unknown option '-x'"), std::string::npos) << dash.sErr;
    for (const char* psOption : {"--save-session", "--pictures"}) {
        const OvsResult blank = RunOvs("analyze " + sExample + " --select B1 " + psOption + " ''");
        EXPECT_EQ(blank.iStatus, 2) << psOption;
        EXPECT_NE(blank.sErr.find(std::string("option ") + psOption + " needs a name"), std::string::npos)
            << blank.sErr;
        EXPECT_EQ(blank.sOut, "");
    }
}
