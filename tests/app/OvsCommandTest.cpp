// The command-line tool as a user runs it: outputs, exit statuses, messages on standard
// error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Result {
    int iStatus;
    std::string sOut;
    std::string sErr;
};

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Result Ovs(const std::string& sArguments)
{
    const auto dir = std::filesystem::temp_directory_path();
    const auto errPath = dir / ("ovs-test-err-" + std::to_string(::getpid()));
    const std::string sCommand = std::string(OVS_BINARY) + " " + sArguments + " 2>" + errPath.string();
    FILE* pipe = ::popen(sCommand.c_str(), "r");
    std::string sOut;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) sOut.append(buffer, n);
    const int iWait = ::pclose(pipe);
    Result result{WIFEXITED(iWait) ? WEXITSTATUS(iWait) : -1, sOut, ReadFile(errPath)};
    std::filesystem::remove(errPath);
    return result;
}

const std::string kExample = std::string(OVS_EXAMPLES_DIR) + "/thickness.txt";

}  // namespace

TEST(OvsCommand, VersionHelpAndUsageErrors)
{
    const Result version = Ovs("--version");
    EXPECT_EQ(version.iStatus, 0);
    EXPECT_EQ(version.sOut, "Ostrel-Vane Studio\nVersion 2.0\n");
    EXPECT_EQ(Ovs("--help").iStatus, 0);
    EXPECT_EQ(Ovs("").iStatus, 2);
    EXPECT_EQ(Ovs("frobnicate").iStatus, 2);
    const Result unknown = Ovs("analyze " + kExample + " --bogus");
    EXPECT_EQ(unknown.iStatus, 2);
    EXPECT_NE(unknown.sErr.find("unknown option '--bogus'"), std::string::npos);
    EXPECT_EQ(Ovs("analyze " + kExample + " --format xml").iStatus, 2);
    EXPECT_EQ(Ovs("analyze " + kExample + " --seed -4").iStatus, 2);
    EXPECT_EQ(Ovs("analyze --select B1").iStatus, 2);
}

TEST(OvsCommand, AnalyzeGivesTheSameJsonForTheSameSeed)
{
    const std::string sArguments = "analyze " + kExample + " --select B1 --seed 42 --format json";
    const Result first = Ovs(sArguments);
    const Result second = Ovs(sArguments);
    ASSERT_EQ(first.iStatus, 0) << first.sErr;
    EXPECT_EQ(first.sOut, second.sOut);
    EXPECT_EQ(first.sErr, "");
    EXPECT_NE(first.sOut.find("\"series_name\": \"Thickness\""), std::string::npos);
    EXPECT_NE(first.sOut.find("\"seed\": 42"), std::string::npos);

    const Result text = Ovs("analyze " + kExample + " --select=B1 --seed=42 --trials=500 --level 95");
    ASSERT_EQ(text.iStatus, 0) << text.sErr;
    EXPECT_EQ(text.sOut.rfind("Data: Sheet 1, Column B, Rows 2 - 101\n", 0), 0u);
    EXPECT_NE(text.sOut.find("Confidence Level = 95%, Confidence Interval = 95%, Bootstraps = 500"), std::string::npos);
}

TEST(OvsCommand, RefusedDataPrintsTheMessageAndExitsWithOne)
{
    const Result trials = Ovs("analyze " + kExample + " --select B1 --trials 1000.5");
    EXPECT_EQ(trials.iStatus, 1);
    EXPECT_EQ(trials.sOut, "");
    EXPECT_EQ(trials.sErr, "Number of Bootstrap Trials is not a valid integer.  Correct and try again.\n");

    EXPECT_EQ(Ovs("analyze /nonexistent/data.txt").sErr, "Could not find file.\n");

    // A column with text in row 4: the question, answered No unless --skip-invalid.
    const auto path = std::filesystem::temp_directory_path() / ("ovs-invalid-" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(path);
        out << "1\n2\n3\nx\n5\n6\n7\n8\n";
    }
    const Result no = Ovs("analyze " + path.string() + " --seed 1");
    EXPECT_EQ(no.iStatus, 1);
    EXPECT_EQ(no.sErr.rfind("Invalid data in rows: 4.  Do you want to perform analysis without these rows?\n", 0), 0u);
    const Result yes = Ovs("analyze " + path.string() + " --seed 1 --skip-invalid --format json");
    EXPECT_EQ(yes.iStatus, 0) << yes.sErr;
    EXPECT_NE(yes.sOut.find("\"point_count\": 7"), std::string::npos);
    std::filesystem::remove(path);
}
