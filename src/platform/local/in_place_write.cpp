#include "platform/local/in_place_write.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "base/CSystemError.h"
#include "platform/local/posix_files.h"

namespace nl::posix {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A journal: the magic, the file's device and inode, the lengths of the old and the new
// contents (each a native 64-bit number), then the old and the new bytes.
constexpr std::array<std::uint8_t, 8> kJournalMagic = {'N', 'L', 'U', 'N', 'D', 'O', '1', '\n'};
constexpr std::size_t kJournalNumbers = 4;
constexpr std::size_t kJournalHeaderSize =
    kJournalMagic.size() + kJournalNumbers * sizeof(std::uint64_t);
// Journals beside a file are hidden, as the program's other temporary files there are.
constexpr std::string_view kBesidePrefix = ".nl-undo-";
constexpr std::string_view kSparePrefix = "nl-undo-";
constexpr mode_t kJournalMode = 0600;
constexpr mode_t kSpareFolderMode = 0700;
constexpr std::size_t kReadChunk = 64 * 1024;

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string JournalName(std::string_view prefix, const struct stat& st) {
    return std::string(prefix) + std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino);
}

// Where a journal for the file `st` describes may be: beside it first, then the spare folder.
std::vector<std::string> JournalPaths(const std::string& target, const struct stat& st,
                                      const std::string& spareFolder) {
    std::vector<std::string> paths{FolderOf(target) + "/" + JournalName(kBesidePrefix, st)};
    if (!spareFolder.empty()) paths.push_back(spareFolder + "/" + JournalName(kSparePrefix, st));
    return paths;
}

std::uint32_t ReadWhole(int fd, Bytes& bytes) {
    bytes.clear();
    std::uint8_t chunk[kReadChunk];
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(fd, chunk, sizeof chunk, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        if (n == 0) return 0;
        bytes.insert(bytes.end(), chunk, chunk + n);
        offset += n;
    }
}

// In-place writes go in pieces of this size; between two, a test may stop the writer.
constexpr std::size_t kOverwriteChunk = 1 << 20;
InPlaceChunkHook g_chunkHook;

// Writes `bytes` from the start of the file and cuts it there, flushed to the disk.
std::uint32_t Overwrite(int fd, const Bytes& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t size = std::min(kOverwriteChunk, bytes.size() - done);
        const ssize_t n = ::pwrite(fd, bytes.data() + done, size, static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        done += static_cast<std::size_t>(n);
        if (g_chunkHook) g_chunkHook(done);
    }
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0)
        return LastError();
    return 0;
}

void FlushFolder(const std::string& folder) {
    Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen()) (void)::fsync(fd.Get());
}

// Runs `produce` into memory.
std::uint32_t Produced(const ProduceBytes& produce, Bytes& bytes) {
    Fd memory(::memfd_create("nl-in-place", MFD_CLOEXEC));
    if (!memory.IsOpen()) return LastError();
    if (const auto code = produce(memory.Get())) return code;
    return ReadWhole(memory.Get(), bytes);
}

// Reserves the blocks `size` bytes of the file need, without changing its length, so that a
// full disk shows before anything is written. File systems that cannot say let the write
// find out (and the old bytes go back).
std::uint32_t Reserve(int fd, std::size_t size) {
    if (size == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0)
        return 0;
    return errno == EOPNOTSUPP || errno == ENOSYS ? 0 : LastError();
}

struct Journal {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    Bytes old;
    Bytes fresh;
};

Bytes JournalBytes(const struct stat& st, const Bytes& old, const Bytes& fresh) {
    Bytes bytes(kJournalMagic.begin(), kJournalMagic.end());
    const std::uint64_t numbers[kJournalNumbers] = {st.st_dev, st.st_ino, old.size(), fresh.size()};
    const auto* raw = reinterpret_cast<const std::uint8_t*>(numbers);
    bytes.insert(bytes.end(), raw, raw + sizeof numbers);
    bytes.insert(bytes.end(), old.begin(), old.end());
    bytes.insert(bytes.end(), fresh.begin(), fresh.end());
    return bytes;
}

// False for anything but a whole journal: one cut short by a kill is no journal.
bool ParseJournal(const Bytes& bytes, Journal& journal) {
    if (bytes.size() < kJournalHeaderSize ||
        !std::equal(kJournalMagic.begin(), kJournalMagic.end(), bytes.begin()))
        return false;
    std::uint64_t numbers[kJournalNumbers];
    std::memcpy(numbers, bytes.data() + kJournalMagic.size(), sizeof numbers);
    const std::uint64_t room = bytes.size() - kJournalHeaderSize;
    if (numbers[2] > room || numbers[3] != room - numbers[2]) return false;
    journal.device = numbers[0];
    journal.inode = numbers[1];
    const auto old = bytes.begin() + static_cast<std::ptrdiff_t>(kJournalHeaderSize);
    const auto fresh = old + static_cast<std::ptrdiff_t>(numbers[2]);
    journal.old.assign(old, fresh);
    journal.fresh.assign(fresh, bytes.end());
    return true;
}

// Whether `now` is what an interrupted write of `fresh` over `old` (or of `old` back over a
// partly written `fresh`) can leave: every byte one of the two at its place, the length
// between theirs.
bool IsMixOf(const Bytes& now, const Bytes& old, const Bytes& fresh) {
    if (now.size() < std::min(old.size(), fresh.size()) ||
        now.size() > std::max(old.size(), fresh.size()))
        return false;
    for (std::size_t i = 0; i < now.size(); ++i) {
        const bool fromOld = i < old.size() && now[i] == old[i];
        const bool fromFresh = i < fresh.size() && now[i] == fresh[i];
        if (!fromOld && !fromFresh) return false;
    }
    return true;
}

// Puts the journal's old contents back where the file is a mix. True when the journal is
// done with: the file is whole (old, new, or changed by someone else since); false when it
// must stay for a reader that may write the file.
bool ApplyJournal(const std::string& target, const struct stat& st, const Journal& journal) {
    Fd fd;
    struct stat now {};
    if (OpenRegularFile(target, O_RDWR | O_NOFOLLOW, fd, now) != 0 || !SameFile(now, st))
        return false;
    Bytes current;
    if (ReadWhole(fd.Get(), current) != 0) return false;
    if (current == journal.fresh || current == journal.old ||
        !IsMixOf(current, journal.old, journal.fresh))
        return true;
    return Overwrite(fd.Get(), journal.old) == 0;
}

// A folder of the user's own, made with its parents where missing.
std::uint32_t MakePrivateFolder(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), kSpareFolderMode) != 0 && errno != EEXIST) return LastError();
        if (slash == std::string::npos) return 0;
    }
}

// The journal of one in-place write, locked while the write runs so that no reader takes it
// for one a killed writer left.
class JournalFile {
public:
    JournalFile() = default;
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;
    ~JournalFile() { Drop(); }

    std::uint32_t Write(const std::string& path, const Bytes& bytes) {
        m_fd.Reset(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kJournalMode));
        if (!m_fd.IsOpen()) return LastError();
        if (::flock(m_fd.Get(), LOCK_EX | LOCK_NB) != 0) {
            m_fd.Reset();
            return kErrorSharingViolation;  // another writer of the same file is at work
        }
        m_path = path;
        // A journal left by a killed writer was applied before this write began.
        if (::ftruncate(m_fd.Get(), 0) != 0) return LastError();
        if (const auto code = WriteAll(m_fd.Get(), bytes.data(), bytes.size())) return code;
        if (::fsync(m_fd.Get()) != 0) return LastError();
        FlushFolder(FolderOf(path));
        return 0;
    }

    // Removes the journal: the file is whole again.
    void Drop() {
        if (!m_path.empty()) ::unlink(m_path.c_str());
        m_path.clear();
        m_fd.Reset();
    }

    // Leaves the journal for the next reader or writer, who puts the old bytes back.
    void Keep() {
        m_path.clear();
        m_fd.Reset();
    }

private:
    std::string m_path;  // empty while no journal of this write exists
    Fd m_fd;
};

}  // namespace

void SetInPlaceChunkHook(InPlaceChunkHook hook) {
    g_chunkHook = std::move(hook);
}

std::uint32_t WriteInPlace(const std::string& target, const struct stat& old,
                           const ProduceBytes& produce, const std::string& spareFolder) {
    RecoverInPlaceWrite(target, spareFolder);
    Fd fd;
    struct stat st {};
    if (const auto code = OpenRegularFile(target, O_RDWR | O_NOFOLLOW, fd, st)) return code;
    if (!SameFile(st, old)) return kErrorSharingViolation;
    Bytes before;
    Bytes after;
    if (const auto code = ReadWhole(fd.Get(), before)) return code;
    if (const auto code = Produced(produce, after)) return code;
    if (after == before) return 0;

    // The journal goes beside the file, or where the user's own files go when the file's
    // folder refuses it (read-only, full); the first refusal is the one reported.
    const Bytes journalBytes = JournalBytes(st, before, after);
    JournalFile journal;
    std::uint32_t refused = 0;
    bool written = false;
    const std::vector<std::string> paths = JournalPaths(target, st, spareFolder);
    for (std::size_t i = 0; i < paths.size() && !written; ++i) {
        std::uint32_t code = i == 0 ? 0 : MakePrivateFolder(spareFolder);
        if (code == 0) code = journal.Write(paths[i], journalBytes);
        if (code == kErrorSharingViolation) return code;
        if (code == 0) {
            written = true;
        } else {
            journal.Drop();
            if (refused == 0) refused = code;
        }
    }
    if (!written) return refused;

    std::uint32_t code = Reserve(fd.Get(), after.size());
    if (code == 0) code = Overwrite(fd.Get(), after);
    if (code == 0) {
        journal.Drop();
        return fd.Close();
    }
    // The old bytes fit where they were.
    if (Overwrite(fd.Get(), before) == 0)
        journal.Drop();
    else
        journal.Keep();
    return code;
}

void RecoverInPlaceWrite(const std::string& target, const std::string& spareFolder) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    for (const std::string& path : JournalPaths(target, st, spareFolder)) {
        Fd fd(::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!fd.IsOpen() || ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) continue;
        // The name must still lead to the journal locked: its writer may have removed it and
        // another begun a new one under the same name meanwhile.
        struct stat held {};
        struct stat named {};
        if (::fstat(fd.Get(), &held) != 0 || !S_ISREG(held.st_mode) ||
            ::lstat(path.c_str(), &named) != 0 || !SameFile(held, named))
            continue;
        Bytes bytes;
        if (ReadWhole(fd.Get(), bytes) != 0) continue;
        Journal journal;
        const bool fits = ParseJournal(bytes, journal) && journal.device == st.st_dev &&
                          journal.inode == st.st_ino;
        if (!fits || ApplyJournal(target, st, journal)) ::unlink(path.c_str());
    }
}

}  // namespace nl::posix
