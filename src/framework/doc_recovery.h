#pragma once
// A document with unsaved changes, kept when the program must end without asking (the
// session ends, the display is gone) and offered again at the next start. It lies beside the
// data file: the document's bytes as a save writes them, and a small record of the file the
// document belongs to.
#include <cstdint>
#include <optional>
#include <string>

namespace nl {

class CDocApp;
class IFileSystem;

struct RecoveryFiles {
    std::string document;  // "<data file>.unsaved.nlz"
    std::string record;    // "<data file>.unsaved": the document's path and file stamp
};

RecoveryFiles RecoveryFilesFor(const std::string& dataFile);

// Writes a modified document to the recovery files and marks it unmodified, so that nothing
// asks about it on the way out; an unmodified one writes nothing. Returns 0 or an error.
std::uint32_t KeepForRecovery(CDocApp& doc, IFileSystem& files, const RecoveryFiles& where);

// The document a kept recovery belongs to ("" for an untitled one); nothing when none waits
// or its record does not read.
std::optional<std::string> PendingRecovery(const IFileSystem& files, const RecoveryFiles& where);

// Puts the kept document in place of the current one, modified, under its own path, and
// removes the recovery files. Raises what opening a document raises; the files stay then.
void Recover(CDocApp& doc, IFileSystem& files, const RecoveryFiles& where);

void DiscardRecovery(IFileSystem& files, const RecoveryFiles& where);

}  // namespace nl
