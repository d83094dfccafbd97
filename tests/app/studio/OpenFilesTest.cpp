// Files handed to the desktop program all at once (dropped, or named on the command line):
// in order, sessions opened, data files imported, the rest refused with a message.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/studio/CommandLine.h"
#include "app/studio/OpenFiles.h"
#include "platform/ScriptedUserMessages.h"

using namespace HalvrennInc;

namespace {
struct RecordingOpener : FileOpener {
    std::vector<std::string> psCalls;
    bool bSessionOpens = true;
    bool openSession(const std::string& sFileName) override
    {
        psCalls.push_back("session " + sFileName);
        return bSessionOpens;
    }
    bool importDataFile(const std::string& sFileName) override
    {
        psCalls.push_back("import " + sFileName);
        return true;
    }
};
}  // namespace

TEST(OpenFiles, SessionsOpenDataFilesImportInOrderAndTheRestIsRefused)
{
    const std::string sFolder = std::filesystem::temp_directory_path().string();
    ScriptedUserMessages messages;
    RecordingOpener opener;
    OpenHandedFiles({"a.OVS", "b.xlsx", "c.csv", sFolder, "d.pdf", "e.ods", "f.XLS", "g.txt"}, opener, messages);
    EXPECT_EQ(opener.psCalls, (std::vector<std::string>{"session a.OVS", "import b.xlsx", "import c.csv",
                                                        "import e.ods", "import f.XLS", "import g.txt"}));
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_NE(messages.shown()[0].sText.find("is a folder"), std::string::npos);
    EXPECT_EQ(messages.shown()[1].sText.rfind("\"d.pdf\" is not a file this program reads", 0), 0u);

    // A session that does not open (the save question cancelled) ends the handling: the
    // files after it were meant for it.
    RecordingOpener refusing;
    refusing.bSessionOpens = false;
    OpenHandedFiles({"a.txt", "b.ovs", "c.txt"}, refusing, messages);
    EXPECT_EQ(refusing.psCalls, (std::vector<std::string>{"import a.txt", "session b.ovs"}));

    // The command line takes its first file as a session whatever its name, unless it is
    // a data file's; the switches are ignored after a file.
    const StartupCommand command = ParseCommandLine({"old-session.dat", "-a", "more.xlsx", "-pc3", "last.ovs"});
    EXPECT_EQ(command.psFiles, (std::vector<std::string>{"old-session.dat", "more.xlsx", "last.ovs"}));
    EXPECT_FALSE(command.bHandOver);
    RecordingOpener fromCommandLine;
    OpenHandedFiles(command.psFiles, fromCommandLine, messages, true);
    EXPECT_EQ(fromCommandLine.psCalls,
              (std::vector<std::string>{"session old-session.dat", "import more.xlsx", "session last.ovs"}));
    RecordingOpener dataFirst;
    OpenHandedFiles(ParseCommandLine({"data.ods"}).psFiles, dataFirst, messages, true);
    EXPECT_EQ(dataFirst.psCalls, (std::vector<std::string>{"import data.ods"}));
    EXPECT_TRUE(ParseCommandLine({"-pc2", "file.xlsx"}).psFiles.empty());
}
