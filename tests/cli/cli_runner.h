// Runs the built nerimlens-cli the way a shell user would and collects what it printed.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace nl::test {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the program with `args` under the environment assignments `env` ("LC_ALL=C"), in the
// folder `dir` when it is not empty.
inline RunResult RunCli(const std::vector<std::string>& args, const std::string& env = "LC_ALL=C",
                        const std::string& dir = {}) {
    std::array<char, 64> errPath{};
    std::snprintf(errPath.data(), errPath.size(), "/tmp/nl_cli_err_XXXXXX");
    const int errFd = mkstemp(errPath.data());
    EXPECT_GE(errFd, 0);
    if (errFd >= 0) close(errFd);

    std::string command = dir.empty() ? std::string() : "cd " + ShellQuote(dir) + " && ";
    command += "env " + env + " " + ShellQuote(NL_CLI_PATH);
    for (const std::string& arg : args) command += " " + ShellQuote(arg);
    command += " 2>" + ShellQuote(errPath.data());

    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    if (pipe != nullptr) {
        std::array<char, 4096> buffer{};
        std::size_t n = 0;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            result.out.append(buffer.data(), n);
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::ifstream errFile(errPath.data());
    std::ostringstream err;
    err << errFile.rdbuf();
    result.err = err.str();
    std::remove(errPath.data());
    return result;
}

}  // namespace nl::test
