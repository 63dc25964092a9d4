// Large hostile files against the readers of the command line, each in its own process with a
// CPU-time limit, measuring the process's peak resident memory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/sample_files.h"
#include "support/sanitizers.h"

namespace nl::test {
namespace {

constexpr std::size_t kMiB = 1024 * 1024;
// Every hostile file is about this large: well above the memory floor once multiplied.
constexpr std::size_t kHostileSize = 16 * kMiB;
// A reader may use this much whatever the file, or this many times the file's size.
constexpr std::size_t kMemoryFloor = 16 * kMiB;
constexpr std::size_t kMemoryPerFileByte = 4;
// CPU seconds a reader gets: a linear one needs a fraction of a second for these files.
constexpr rlim_t kCpuSeconds = 5;
constexpr int kRefused = 1;

struct ChildResult {
    bool exited = false;
    int exitCode = -1;
    int signal = 0;
    std::size_t peakBytes = 0;
    double cpuSeconds = 0;
};

// Runs the command line on `args` with the CPU limit and returns how it ended and its peak
// resident memory.
ChildResult RunLimited(const std::vector<std::string>& args) {
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit cpu{kCpuSeconds, kCpuSeconds};
        setrlimit(RLIMIT_CPU, &cpu);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(NL_CLI_PATH)};
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(NL_CLI_PATH, argv.data());
        _exit(127);
    }
    ChildResult result;
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return result;
    result.exited = WIFEXITED(status);
    result.exitCode = result.exited ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    result.peakBytes = static_cast<std::size_t>(usage.ru_maxrss) * 1024;  // reported in KiB
    result.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return result;
}

Bytes Repeated(const Bytes& unit, std::size_t count) {
    Bytes out;
    out.reserve(unit.size() * count);
    for (std::size_t i = 0; i < count; ++i) out.insert(out.end(), unit.begin(), unit.end());
    return out;
}

Bytes NullWinStates() {
    const std::size_t count = kHostileSize / 2;
    return DataFileWithList(count, Bytes(count * 2, 0));
}

// New-class tags alternating with references to the newest class, each with a record.
Bytes ClassPerWinState() {
    Bytes newClass = {0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00};
    newClass.insert(newClass.end(), CWinState::kClassName.begin(), CWinState::kClassName.end());
    const Bytes record = SmallWinState();
    Bytes elements;
    std::uint64_t count = 0;
    for (std::uint32_t index = 1; elements.size() < kHostileSize; index += 3, count += 2) {
        const std::uint32_t reference = 0x80000000u | index;
        elements.insert(elements.end(), newClass.begin(), newClass.end());
        elements.insert(elements.end(), record.begin(), record.end());
        elements.insert(elements.end(), {0xFF, 0x7F});
        for (int shift = 0; shift < 32; shift += 8)
            elements.push_back(static_cast<std::uint8_t>(reference >> shift));
        elements.insert(elements.end(), record.begin(), record.end());
    }
    return DataFileWithList(count, elements);
}

Bytes EmptyExportTexts() {
    const DocumentParts parts = EmptyDocumentParts();
    return testing_support::Concat(
        {parts.beforeTexts, CountBytes(kHostileSize), Bytes(kHostileSize, 0), parts.measurement});
}

Bytes LongExportText() {
    const DocumentParts parts = EmptyDocumentParts();
    CArchive text;
    text.WriteString(std::string(kHostileSize / 2, 'x'));
    return testing_support::Concat(
        {parts.beforeTexts, CountBytes(1), text.Bytes(), parts.measurement});
}

Bytes ManyPathVertices() {
    const DocumentParts parts = EmptyDocumentParts();
    CArchive texts;
    texts.WriteStringTable(std::vector<std::string>{"", "", ""});
    Bytes measurement = parts.measurement;
    measurement.resize(measurement.size() - CountBytes(0).size());
    const std::size_t count = kHostileSize / 8;
    return testing_support::Concat({parts.beforeTexts, texts.Bytes(), measurement,
                                    CountBytes(count), Repeated({1, 0, 0, 0, 2, 0, 0, 0}, count)});
}

std::size_t WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return bytes.size();
}

TEST(ReaderLimitsTest, LargeHostileFilesStayWithinTimeAndMemory) {
#ifdef NL_UNDER_ASAN
    GTEST_SKIP() << "resident memory says nothing under the address sanitizer";
#endif
    struct Case {
        const char* what;
        std::vector<std::string> command;
        std::function<Bytes()> make;
        int exitCode;
    };
    const Case cases[] = {
        {"null window-state tags", {"settings", "check"}, NullWinStates, kRefused},
        {"a class tag per window state", {"settings", "check"}, ClassPerWinState, kRefused},
        {"empty export texts", {"doc", "info"}, EmptyExportTexts, 0},
        {"an export text of 8 M characters", {"doc", "info"}, LongExportText, kRefused},
        {"2 M path vertices", {"doc", "info"}, ManyPathVertices, 0},
    };
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("nl_reader_limits_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = (folder / "hostile").string();
        // The child starts with this process's resident memory: the file's bytes must be
        // gone before it starts.
        const std::size_t size = WriteFile(path, c.make());
        std::vector<std::string> args = c.command;
        args.push_back(path);
        const ChildResult run = RunLimited(args);
        EXPECT_TRUE(run.exited) << "ended by signal " << run.signal;
        EXPECT_EQ(run.exitCode, c.exitCode);
        const std::size_t budget = std::max(kMemoryFloor, kMemoryPerFileByte * size);
        EXPECT_LE(run.peakBytes, budget) << size << " bytes of file";
        // The figures per MiB of input, for the record.
        const double mib = static_cast<double>(size) / kMiB;
        std::printf("%-32s %5.1f MiB: %6.1f ms and %5.2f MiB peak per MiB\n", c.what, mib,
                    run.cpuSeconds * 1000 / mib, static_cast<double>(run.peakBytes) / kMiB / mib);
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace nl::test
