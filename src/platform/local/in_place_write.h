#pragma once
// Writing a file's new contents over its old ones, for files that cannot be replaced by a new
// file (several names, someone else's, a folder that takes no new files), without ever losing
// the old contents.
//
// Before the first byte of the file changes, the old and the new contents are written to an
// undo journal and flushed to the disk, and the space the new contents need is reserved. A
// write that fails puts the old bytes back; a writer killed in the middle leaves the journal,
// and the next reader or writer of the file puts the old bytes back from it. The journal lives
// beside the file, or in a folder of the user's own when the file's folder takes no new files.
// Where no journal can be written, the file is left as it is and the write refused.
#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <string>

namespace nl::posix {

// Writes a file's contents to a descriptor from its start; returns 0 or an error.
using ProduceBytes = std::function<std::uint32_t(int fd)>;

// Writes what `produce` makes over the file `target` (already resolved from links), which
// must still be the file `old` describes. `spareFolder` (may be empty) takes the journal when
// the file's folder does not.
std::uint32_t WriteInPlace(const std::string& target, const struct stat& old,
                           const ProduceBytes& produce, const std::string& spareFolder);

// Finishes what a writer killed during an in-place write of `target` (resolved from links)
// left: the old contents come back when the file holds a mix of old and new bytes. A journal
// that no longer fits the file (changed by someone else since) is dropped. Nothing happens
// while the writer is still at work.
void RecoverInPlaceWrite(const std::string& target, const std::string& spareFolder);

// Called after each piece of an in-place write with the bytes written so far: lets tests stop
// a writer in the middle. None by default.
using InPlaceChunkHook = std::function<void(std::size_t written)>;
void SetInPlaceChunkHook(InPlaceChunkHook hook);

}  // namespace nl::posix
