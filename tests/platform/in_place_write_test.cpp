// Files written in place (several names) on a full disk and after a writer was killed midway.
#include "platform/local/in_place_write.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/CSystemError.h"
#include "platform/local/LocalFileSystem.h"

namespace nl {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class InPlaceWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "nl-inplace-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        fs::create_directories(m_root / "docs");
    }
    void TearDown() override {
        if (m_mounted) ::umount2(Path("docs").c_str(), MNT_DETACH);
        fs::remove_all(m_root);
    }
    std::string Path(const std::string& name) const { return (m_root / name).string(); }
    std::string Spare() const { return Path("state/unfinished"); }
    // The names in a folder (recursively), without the folder's own path.
    std::vector<std::string> Names(const std::string& folder) const {
        std::vector<std::string> names;
        if (!fs::exists(folder)) return names;
        for (const auto& e : fs::recursive_directory_iterator(folder))
            if (e.is_regular_file()) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static Bytes ReadRaw(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteRaw(const std::string& path, const Bytes& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    // A tmpfs of `bytes` over docs/; false where this process may not mount.
    bool MountSmallDisk(const char* size) {
        const std::string options = std::string("size=") + size;
        m_mounted = ::mount("tmpfs", Path("docs").c_str(), "tmpfs", 0, options.c_str()) == 0;
        return m_mounted;
    }
    // Fills the disk of `folder` up to the last block.
    static void Fill(const std::string& folder) {
        const int fd = ::open((folder + "/filler").c_str(), O_WRONLY | O_CREAT, 0600);
        const std::vector<char> block(4096, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        ::close(fd);
    }

    fs::path m_root;
    bool m_mounted = false;
};

Bytes Pattern(std::size_t size, std::uint8_t seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

TEST_F(InPlaceWriteTest, AFullDiskNeverCostsAFileWithSeveralNames) {
    if (!MountSmallDisk("64k")) GTEST_SKIP() << "cannot mount a small tmpfs here";
    struct Case {
        const char* name;
        bool spare;  // whether a journal folder exists off the full disk
        std::size_t newSize;
        std::uint32_t want;
    };
    const Case cases[] = {
        {"growing, no room for the journal anywhere", false, 40000, kErrorDiskFull},
        {"growing, the journal elsewhere but no room to grow", true, 40000, kErrorDiskFull},
        {"shrinking, the journal elsewhere", true, 6000, 0},
        {"shrinking, no room for the journal anywhere", false, 6000, kErrorDiskFull},
    };
    const Bytes old = Pattern(16000, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& e : fs::directory_iterator(Path("docs"))) fs::remove(e.path());
        fs::remove_all(Path("state"));
        LocalFileSystem files(c.spare ? Spare() : std::string());
        ASSERT_EQ(files.WriteFile(Path("docs/doc.nlz"), old), 0u);
        fs::create_hard_link(Path("docs/doc.nlz"), Path("docs/link.nlz"));
        Fill(Path("docs"));

        const Bytes fresh = Pattern(c.newSize, 9);
        EXPECT_EQ(files.WriteFile(Path("docs/doc.nlz"), fresh), c.want);
        const Bytes& expected = c.want == 0 ? fresh : old;
        EXPECT_EQ(ReadRaw(Path("docs/doc.nlz")), expected);
        EXPECT_EQ(ReadRaw(Path("docs/link.nlz")), expected);
        EXPECT_TRUE(fs::equivalent(Path("docs/doc.nlz"), Path("docs/link.nlz")));
        EXPECT_EQ(Names(Path("docs")), (std::vector<std::string>{"doc.nlz", "filler", "link.nlz"}));
        EXPECT_TRUE(Names(Path("state")).empty());
    }
}

TEST_F(InPlaceWriteTest, AReplacementOnAFullDiskLeavesTheOldFile) {
    if (!MountSmallDisk("64k")) GTEST_SKIP() << "cannot mount a small tmpfs here";
    LocalFileSystem files{std::string()};
    const Bytes old = Pattern(16000, 1);
    ASSERT_EQ(files.WriteFile(Path("docs/doc.nlz"), old), 0u);
    Fill(Path("docs"));
    EXPECT_EQ(files.WriteFile(Path("docs/doc.nlz"), Pattern(40000, 2)), kErrorDiskFull);
    EXPECT_EQ(ReadRaw(Path("docs/doc.nlz")), old);
    EXPECT_EQ(Names(Path("docs")), (std::vector<std::string>{"doc.nlz", "filler"}));
}

// A journal as a killed in-place writer leaves it, laid down byte by byte: "NLUNDO1\n", the
// file's device, inode and the two lengths (native 64-bit numbers), the old and new bytes.
Bytes JournalOf(const std::string& file, const Bytes& old, const Bytes& fresh) {
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st), 0);
    Bytes bytes = {'N', 'L', 'U', 'N', 'D', 'O', '1', '\n'};
    for (const std::uint64_t n : {std::uint64_t(st.st_dev), std::uint64_t(st.st_ino),
                                  std::uint64_t(old.size()), std::uint64_t(fresh.size())}) {
        std::uint8_t raw[sizeof n];
        std::memcpy(raw, &n, sizeof n);
        bytes.insert(bytes.end(), raw, raw + sizeof n);
    }
    bytes.insert(bytes.end(), old.begin(), old.end());
    bytes.insert(bytes.end(), fresh.begin(), fresh.end());
    return bytes;
}

std::string JournalName(const std::string& file, const char* prefix) {
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st), 0);
    return prefix + std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino);
}

TEST_F(InPlaceWriteTest, TheNextReaderUndoesAWriteAKilledWriterLeftHalfDone) {
    const Bytes old = {1, 2, 3, 4, 5, 6, 7, 8};
    const Bytes fresh = {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};
    const Bytes torn = {11, 12, 13, 4, 5, 6, 7, 8};            // new bytes over the start
    const Bytes past = {11, 12, 13, 14, 15, 16, 17, 18, 19};   // past the old end, not cut yet
    const Bytes other = {42, 42, 42, 42, 42, 42, 42, 42, 42};  // written by someone else since
    enum class Where { kBeside, kSpare };
    enum class State { kWhole, kCutShort, kLocked };
    struct Case {
        const char* name;
        Bytes file;
        Where where;
        State journal;
        const char* readAs;  // the name read, a second name of the same file
        Bytes want;
        bool journalStays;
    };
    const Case cases[] = {
        {"new bytes over the start", torn, Where::kBeside, State::kWhole, "doc.nlz", old, false},
        {"read through the other name", torn, Where::kBeside, State::kWhole, "link.nlz", old,
         false},
        {"past the old end", past, Where::kBeside, State::kWhole, "doc.nlz", old, false},
        {"the journal in the spare folder", torn, Where::kSpare, State::kWhole, "doc.nlz", old,
         false},
        {"the new contents whole", fresh, Where::kBeside, State::kWhole, "doc.nlz", fresh, false},
        {"changed by someone else since", other, Where::kBeside, State::kWhole, "doc.nlz", other,
         false},
        {"killed while writing the journal", old, Where::kBeside, State::kCutShort, "doc.nlz", old,
         false},
        {"the writer still at work", torn, Where::kBeside, State::kLocked, "doc.nlz", torn, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(Path("docs"));
        fs::remove_all(Path("state"));
        fs::create_directories(Path("docs"));
        fs::create_directories(Spare());
        const std::string doc = Path("docs/doc.nlz");
        WriteRaw(doc, c.file);
        fs::create_hard_link(doc, Path("docs/link.nlz"));
        const std::string journal = c.where == Where::kBeside
                                        ? Path("docs/" + JournalName(doc, ".nl-undo-"))
                                        : Spare() + "/" + JournalName(doc, "nl-undo-");
        Bytes bytes = JournalOf(doc, old, fresh);
        if (c.journal == State::kCutShort) bytes.resize(bytes.size() - 5);
        WriteRaw(journal, bytes);
        const int held = c.journal == State::kLocked ? ::open(journal.c_str(), O_RDONLY) : -1;
        if (held >= 0) {
            ASSERT_EQ(::flock(held, LOCK_EX), 0);
        }

        LocalFileSystem files(Spare());
        Bytes read;
        ASSERT_EQ(files.ReadFile(Path("docs/") + c.readAs, read), 0u);
        EXPECT_EQ(read, c.want);
        EXPECT_EQ(ReadRaw(doc), c.want);
        EXPECT_EQ(fs::exists(journal), c.journalStays);
        if (held >= 0) ::close(held);
    }
}

TEST_F(InPlaceWriteTest, AWriteFirstUndoesAnEarlierWriteLeftHalfDone) {
    const std::string doc = Path("docs/doc.nlz");
    const Bytes old = {1, 2, 3, 4};
    const Bytes fresh = {5, 6, 7, 8, 9};
    WriteRaw(doc, {5, 6, 3, 4});
    fs::create_hard_link(doc, Path("docs/link.nlz"));
    const std::string journal = Path("docs/" + JournalName(doc, ".nl-undo-"));
    WriteRaw(journal, JournalOf(doc, old, fresh));
    // The write sees the old contents (the journal's) as the file's, and replaces them.
    LocalFileSystem files{std::string()};
    const Bytes newer = {20, 21};
    ASSERT_EQ(files.WriteFile(doc, newer), 0u);
    EXPECT_EQ(ReadRaw(Path("docs/link.nlz")), newer);
    EXPECT_EQ(Names(Path("docs")), (std::vector<std::string>{"doc.nlz", "link.nlz"}));
}

// Kills a writer of a file with two names in the middle of its in-place write (after some of
// its pieces): the file is a mix of old and new bytes then, and the next reader puts the old
// contents back through either name.
TEST_F(InPlaceWriteTest, AWriterKilledMidwayLeavesTheOldContents) {
    const std::string doc = Path("docs/doc.nlz");
    constexpr std::size_t kMiB = 1 << 20;
    struct Case {
        const char* name;
        std::size_t oldSize;
        std::size_t newSize;
        std::size_t killAfter;  // bytes written when the writer dies
    };
    const Case cases[] = {
        {"after the first piece", 3 * kMiB + 5, 3 * kMiB + 100, kMiB},
        {"past the old end, before the cut", 2 * kMiB, 4 * kMiB, 3 * kMiB},
        {"all written, the old end not cut yet", 3 * kMiB, 2 * kMiB + 7, 2 * kMiB + 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(Path("docs"));
        fs::create_directories(Path("docs"));
        LocalFileSystem files{std::string()};
        const Bytes old = Pattern(c.oldSize, 1);
        const Bytes fresh = Pattern(c.newSize, 2);
        ASSERT_EQ(files.WriteFile(doc, old), 0u);
        fs::create_hard_link(doc, Path("docs/link.nlz"));
        const pid_t writer = ::fork();
        if (writer == 0) {
            posix::SetInPlaceChunkHook([&](std::size_t written) {
                if (written >= c.killAfter) ::raise(SIGKILL);
            });
            ::_exit(files.WriteFile(doc, fresh) == 0 ? 0 : 1);
        }
        int status = 0;
        ::waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        const Bytes torn = ReadRaw(doc);
        EXPECT_NE(torn, old);
        EXPECT_NE(torn, fresh);
        Bytes read;
        ASSERT_EQ(files.ReadFile(Path("docs/link.nlz"), read), 0u);
        EXPECT_TRUE(read == old) << "the old contents did not come back";
        EXPECT_TRUE(ReadRaw(doc) == old);
        EXPECT_EQ(Names(Path("docs")), (std::vector<std::string>{"doc.nlz", "link.nlz"}));
    }
}

}  // namespace
}  // namespace nl
