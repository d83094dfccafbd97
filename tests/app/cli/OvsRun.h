// Ostrel-Vane Studio tests - runs the command-line tool as a user does and collects its
// exit status, standard output and standard error.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace HalvrennInc {

struct OvsResult {
    int iStatus;
    std::string sOut;
    std::string sErr;
};

inline std::string ReadWholeTextFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

//! Runs ovs with the arguments; sEnvironment ("NAME=value ") goes before the command.
inline OvsResult RunOvs(const std::string& sArguments, const std::string& sEnvironment = "")
{
    const auto errPath = std::filesystem::temp_directory_path() / ("ovs-test-err-" + std::to_string(::getpid()));
    const std::string sCommand = sEnvironment + std::string(OVS_BINARY) + " " + sArguments + " 2>" + errPath.string();
    FILE* pipe = ::popen(sCommand.c_str(), "r");
    std::string sOut;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) sOut.append(buffer, n);
    const int iWait = ::pclose(pipe);
    OvsResult result{WIFEXITED(iWait) ? WEXITSTATUS(iWait) : -1, sOut, ReadWholeTextFile(errPath)};
    std::filesystem::remove(errPath);
    return result;
}

}  // namespace HalvrennInc
