#pragma once
// Runs a shell command the way the tests that hand their output to other programs need it.
#include <stdio.h>
#include <sys/wait.h>

#include <string>

namespace nl::test {

// Runs `command` through the shell; returns its exit status (-1 when it could not run or did
// not exit) and appends what it printed on stdout to `output`.
inline int RunCommand(const std::string& command, std::string& output) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace nl::test
