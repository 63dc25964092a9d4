// Damaged and hostile variants of valid files against the data-file and document readers (which
// read every record: settings, ruler, window states, colors, measurement), each sweep run in a
// child process under a CPU limit and an address-space limit.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "support/sample_files.h"
#include "support/sanitizers.h"

namespace nl::test {
namespace {

using Cause = CArchiveException::Cause;
using Reader = std::function<void(const Bytes&)>;

constexpr std::size_t kMiB = 1024 * 1024;
// What a sweep of inputs of a few kilobytes may add to the address space, and its CPU time.
constexpr std::size_t kAddressBudget = 256 * kMiB;
constexpr rlim_t kCpuSeconds = 20;
constexpr int kRandomInputs = 300;
constexpr std::size_t kMaxRandomSize = 4096;
// Bytes that read as the largest counts and lengths: the escapes up to a 64-bit value.
const Bytes kHugeValue = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};

// How one input ended: "ok", or the archive error's cause; anything else is a finding.
std::string Outcome(const Reader& read, const Bytes& bytes) {
    try {
        read(bytes);
        return "ok";
    } catch (const CArchiveException& e) {
        return e.GetCause() == Cause::kEndOfFile ? "end of file" : "bad format";
    } catch (const std::exception& e) {
        return std::string("unexpected ") + e.what();
    }
}

// Runs `sweep` in a child process under the limits; returns what it reported (empty when
// every input ended as expected) or how the child died.
std::string InChild(const std::function<std::string()>& sweep) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return "no pipe";
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        const rlimit cpu{kCpuSeconds, kCpuSeconds};
        setrlimit(RLIMIT_CPU, &cpu);
#ifndef NL_UNDER_ASAN
        std::size_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t space = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + kAddressBudget;
        const rlimit as{space, space};
        setrlimit(RLIMIT_AS, &as);
#endif
        const std::string report = sweep();
        if (!report.empty() && write(pipeFds[1], report.data(), report.size()) < 0) _exit(2);
        _exit(0);
    }
    close(pipeFds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status)) report += " child ended by signal " + std::to_string(WTERMSIG(status));
    return report;
}

struct ReaderCase {
    const char* what;
    Bytes valid;
    Reader read;
    std::size_t versionOffset;  // where the format version lies after the magic
    // How many leading bytes form a signature checked before anything else is read: a file
    // cut inside it is not this kind of file at all (a bad format), not one cut short.
    std::size_t signatureBytes;
};

std::vector<ReaderCase> Readers() {
    constexpr std::size_t kDataFileVersionAt = 4;   // after "NCnl"
    constexpr std::size_t kDocumentVersionAt = 18;  // after the 7-character magic string
    return {
        {"data file", SampleDataFile(),
         [](const Bytes& bytes) {
             PrefsRig rig;
             CAppPrefs prefs(rig.Services());
             prefs.LoadFromBytes(bytes, "hostile.dat");
         },
         kDataFileVersionAt, 0},
        {"document", SampleDocument(),
         [](const Bytes& bytes) {
             testing_support::TestClock clock;
             FakeFileSystem files;
             CDocApp doc(clock, files);
             CArchive ar(bytes, "hostile.nlz");
             doc.Serialize(ar);
         },
         kDocumentVersionAt, kDocumentVersionAt},
    };
}

// Every reader: the valid file loads; cut at any offset it ends early (inside a signature it
// is not that kind of file); a wrong magic and a newer version are bad formats.
TEST(HostileFilesTest, DamagedFilesFailWithTheArchiveErrors) {
    for (const ReaderCase& reader : Readers()) {
        SCOPED_TRACE(reader.what);
        const std::string report = InChild([&] {
            std::ostringstream out;
            auto expect = [&](const char* what, const Bytes& bytes, const std::string& want) {
                const std::string got = Outcome(reader.read, bytes);
                if (got != want) out << what << ": " << got << " instead of " << want << "; ";
            };
            expect("the valid file", reader.valid, "ok");
            for (std::size_t size = 0; size < reader.valid.size(); ++size) {
                const Bytes cut(reader.valid.begin(),
                                reader.valid.begin() + static_cast<std::ptrdiff_t>(size));
                expect(("cut at " + std::to_string(size)).c_str(), cut,
                       size < reader.signatureBytes ? "bad format" : "end of file");
            }
            Bytes magic = reader.valid;
            magic[reader.versionOffset - 1] ^= 0x20;
            expect("a wrong magic", magic, "bad format");
            Bytes newer = reader.valid;
            newer[reader.versionOffset] += 1;
            expect("a newer version", newer, "bad format");
            return out.str();
        });
        EXPECT_EQ(report, "");
    }
}

// Every reader: the largest count or length written over any offset, and random bytes alone
// or behind the valid file's head, end in an archive error or a load, within the limits.
TEST(HostileFilesTest, HugeValuesAndRandomBytesStayWithinTheLimits) {
    for (const ReaderCase& reader : Readers()) {
        SCOPED_TRACE(reader.what);
        const std::string report = InChild([&] {
            std::ostringstream out;
            auto check = [&](const std::string& what, const Bytes& bytes) {
                const std::string got = Outcome(reader.read, bytes);
                if (got.starts_with("unexpected")) out << what << ": " << got << "; ";
            };
            for (std::size_t at = 0; at < reader.valid.size(); ++at) {
                Bytes patched = reader.valid;
                for (std::size_t i = 0; i < kHugeValue.size() && at + i < patched.size(); ++i)
                    patched[at + i] = kHugeValue[i];
                check("huge value at " + std::to_string(at), patched);
            }
            std::mt19937 random(20240305);
            const std::size_t head = reader.versionOffset + sizeof(std::uint32_t);
            for (int i = 0; i < kRandomInputs; ++i) {
                Bytes bytes(random() % kMaxRandomSize);
                for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
                check("random input " + std::to_string(i), bytes);
                bytes.insert(bytes.begin(), reader.valid.begin(),
                             reader.valid.begin() + static_cast<std::ptrdiff_t>(head));
                check("random input behind the head " + std::to_string(i), bytes);
            }
            return out.str();
        });
        EXPECT_EQ(report, "");
    }
}

// A window-state list of `count` small records: the first introduces the class, the others
// refer to it.
Bytes DataFileWithStates(std::uint64_t count) {
    Bytes elements = {0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00};
    elements.insert(elements.end(), CWinState::kClassName.begin(), CWinState::kClassName.end());
    const Bytes record = SmallWinState();
    for (std::uint64_t i = 0; i < count; ++i) {
        if (i > 0) elements.insert(elements.end(), {0x01, 0x80});
        elements.insert(elements.end(), record.begin(), record.end());
    }
    return DataFileWithList(count, elements);
}

// Colors sections of `count` copies of one record.
Bytes ColorsWithRecords(std::uint64_t count) {
    testing_support::TestClock clock;
    CColorPicker picker(clock);
    picker.InsertColor(0, picker.Sample());
    CArchive out;
    picker.Serialize(out);
    Bytes bytes = out.TakeBytes();
    const std::size_t first = Find(bytes, "col1");
    CArchive one;
    CColPick(picker.GetAt(0)).Serialize(one);
    const Bytes record = one.TakeBytes();
    Bytes records;
    for (std::uint64_t i = 0; i < count; ++i)
        records.insert(records.end(), record.begin(), record.end());
    const Bytes head(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(first - 2));
    const Bytes tail(bytes.begin() + static_cast<std::ptrdiff_t>(first + record.size()),
                     bytes.end());
    return testing_support::Concat({head, CountBytes(count), records, tail});
}

// The lists the program writes load up to their longest and are refused one beyond it.
TEST(HostileFilesTest, ListsLoadUpToTheirLimitAndNoFurther) {
    const Reader dataFile = [](const Bytes& bytes) {
        PrefsRig rig;
        CAppPrefs prefs(rig.Services());
        prefs.LoadFromBytes(bytes);
    };
    const Reader colors = [](const Bytes& bytes) {
        testing_support::TestClock clock;
        CColorPicker picker(clock);
        CArchive in(bytes);
        picker.Serialize(in);
    };
    struct Case {
        const char* what;
        const Reader& read;
        Bytes bytes;
        const char* outcome;
    };
    const Case cases[] = {
        {"32 window states", dataFile, DataFileWithStates(CPrefs::kMaxWinStates), "ok"},
        {"33 window states", dataFile, DataFileWithStates(CPrefs::kMaxWinStates + 1), "bad format"},
        {"999 colors", colors, ColorsWithRecords(CColorPicker::kMaxColors), "ok"},
        {"1000 colors", colors, ColorsWithRecords(CColorPicker::kMaxColors + 1), "bad format"},
    };
    for (const auto& c : cases) EXPECT_EQ(Outcome(c.read, c.bytes), c.outcome) << c.what;
}

}  // namespace
}  // namespace nl::test
