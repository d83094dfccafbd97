// Output that cannot be written is never reported as written: pictures in each format,
// the session and the report on standard output, on a disk that fills up (a limit on the
// size of files stands in for it), into a folder that does not exist or cannot be one.
// A failure gives its message and exit status 1, and every older file stays whole.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int iStatus;
    std::string sErr;
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class WriteFailures : public ::testing::Test {
protected:
    WriteFailures() : m_folder(fs::temp_directory_path() / ("ovs-write-failures-" + std::to_string(::getpid())))
    {
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "out");
    }
    ~WriteFailures() override
    {
        std::error_code error;
        fs::permissions(m_folder / "out", fs::perms::owner_all, error);
        fs::remove_all(m_folder, error);
    }

    // Runs 'ovs analyze' on the example with the given options; 'sLimit' goes before it
    // in the shell (a limit on file sizes: a write past it fails as on a full disk).
    Outcome Analyze(const std::string& sOptions, const std::string& sLimit = "", const std::string& sOut = "/dev/null")
    {
        const fs::path err = m_folder / "stderr";
        const std::string sCommand = sLimit + "exec env -u DISPLAY " + OVS_BINARY + " analyze " + OVS_EXAMPLES_DIR +
                                     "/thickness.txt --select B1 --seed 1 --trials 200 " + sOptions + " >" + sOut +
                                     " 2>" + err.string();
        const int iWait = std::system(sCommand.c_str());
        return {WIFEXITED(iWait) ? WEXITSTATUS(iWait) : -1, ReadFile(err)};
    }

    std::map<std::string, std::string> Files(const fs::path& folder) const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(folder))
            files[entry.path().filename().string()] = ReadFile(entry.path());
        return files;
    }

    fs::path m_folder;
};

// Writes past 512 bytes (a kilobyte in some shells) fail with EFBIG; the signal that would end the process
// is ignored, so the program sees the failure as it would see a full disk.
const std::string kSmallDisk = "trap '' XFSZ; ulimit -f 1; ";

}  // namespace

TEST_F(WriteFailures, AreReportedAndLeaveTheOldFilesWhole)
{
    const fs::path pdf = m_folder / "out" / "pdf";
    ASSERT_EQ(Analyze("--pictures " + pdf.string() + " --picture-format pdf").iStatus, 0);
    const auto oldPictures = Files(pdf);
    ASSERT_EQ(oldPictures.size(), 7u);

    const Outcome full = Analyze("--pictures " + pdf.string() + " --picture-format pdf", kSmallDisk);
    EXPECT_EQ(full.iStatus, 1);
    EXPECT_NE(full.sErr.find("Cannot write the picture \""), std::string::npos) << full.sErr;
    const auto pictures = Files(pdf);
    ASSERT_EQ(pictures.size(), 7u) << "no temporary file is left";
    for (const auto& [sName, sBytes] : pictures) {
        EXPECT_EQ(sBytes.rfind("%PDF", 0), 0u) << sName;
        EXPECT_NE(sBytes.find("%%EOF", sBytes.size() - 32), std::string::npos) << sName << " is whole";
        // The picture the message names is the old one.
        if (full.sErr.find(sName) != std::string::npos) {
            EXPECT_EQ(sBytes, oldPictures.at(sName)) << sName;
        }
    }

    const fs::path session = m_folder / "out" / "kept.ovs";
    ASSERT_EQ(Analyze("--save-session " + session.string()).iStatus, 0);
    const std::string sOldSession = ReadFile(session);
    const Outcome unsaved = Analyze("--save-session " + session.string(), kSmallDisk);
    EXPECT_EQ(unsaved.iStatus, 1);
    EXPECT_EQ(unsaved.sErr, "File could not be written.  Disk may be full.\n");
    EXPECT_EQ(ReadFile(session), sOldSession);

    const Outcome report = Analyze("", kSmallDisk, (m_folder / "report.txt").string());
    EXPECT_EQ(report.iStatus, 1);
    EXPECT_EQ(report.sErr.rfind("ovs: the report could not be written to standard output: ", 0), 0u) << report.sErr;

    // A folder that does not exist, and one that cannot be made because a file is there.
    const Outcome missing = Analyze("--save-session '" + (m_folder / "no such folder" / "a.ovs").string() + "'");
    EXPECT_EQ(missing.iStatus, 1);
    EXPECT_EQ(missing.sErr, "File could not be opened for output.  The folder does not exist.\n");
    std::ofstream(m_folder / "a file") << "x";
    const Outcome underFile = Analyze("--pictures '" + (m_folder / "a file" / "pictures").string() + "'");
    EXPECT_EQ(underFile.iStatus, 1);
    EXPECT_NE(underFile.sErr.find("could not be created"), std::string::npos) << underFile.sErr;
    EXPECT_EQ(Files(m_folder / "out").size(), 2u) << "the pdf folder and kept.ovs, nothing else";

    // A folder without write permission; the superuser writes anyway.
    if (::geteuid() == 0) {
        std::cout << "[   NOTE   ] running as root: the write-protected folder is not tried\n";
        return;
    }
    fs::permissions(pdf, fs::perms::owner_read | fs::perms::owner_exec);
    const Outcome locked = Analyze("--pictures " + pdf.string() + " --picture-format png");
    EXPECT_EQ(locked.iStatus, 1);
    EXPECT_NE(locked.sErr.find("Cannot write the picture \""), std::string::npos) << locked.sErr;
    fs::permissions(pdf, fs::perms::owner_all);
    EXPECT_EQ(Files(pdf).size(), 7u);
}
