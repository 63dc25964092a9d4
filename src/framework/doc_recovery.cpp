#include "framework/doc_recovery.h"

#include <charconv>
#include <vector>

#include "base/CSystemError.h"
#include "document/CDocApp.h"
#include "platform/IFileSystem.h"

namespace nl {
namespace {

// The record: the document's path on the first line, then the size and hash of what the
// file held when it was last read or written, in decimal, or "-" for none.
struct Record {
    std::string path;
    std::optional<DocFileStamp> stamp;
};

std::string RecordText(const Record& record) {
    std::string text = record.path + "\n";
    if (record.stamp)
        text += std::to_string(record.stamp->size) + " " + std::to_string(record.stamp->hash);
    else
        text += "-";
    return text + "\n";
}

bool ParseNumber(std::string_view text, std::uint64_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

std::optional<Record> ParseRecord(std::string_view text) {
    const auto first = text.find('\n');
    if (first == std::string_view::npos) return std::nullopt;
    Record record{std::string(text.substr(0, first)), std::nullopt};
    std::string_view rest = text.substr(first + 1);
    if (!rest.empty() && rest.back() == '\n') rest.remove_suffix(1);
    if (rest == "-") return record;
    const auto space = rest.find(' ');
    DocFileStamp stamp;
    if (space == std::string_view::npos || !ParseNumber(rest.substr(0, space), stamp.size) ||
        !ParseNumber(rest.substr(space + 1), stamp.hash))
        return std::nullopt;
    record.stamp = stamp;
    return record;
}

std::optional<Record> ReadRecord(const IFileSystem& files, const RecoveryFiles& where) {
    if (!files.FileExists(where.document) || !files.FileExists(where.record)) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (files.ReadFile(where.record, bytes) != 0) return std::nullopt;
    return ParseRecord(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

RecoveryFiles RecoveryFilesFor(const std::string& dataFile) {
    return {dataFile + ".unsaved.nlz", dataFile + ".unsaved"};
}

std::uint32_t KeepForRecovery(CDocApp& doc, IFileSystem& files, const RecoveryFiles& where) {
    if (!doc.IsModified()) return 0;
    // A path that cannot stand on a line of its own is kept as untitled.
    const bool oneLine = doc.PathName().find('\n') == std::string::npos;
    const Record record{oneLine ? doc.PathName() : std::string(),
                        oneLine ? doc.FileStamp() : std::nullopt};
    const std::string text = RecordText(record);
    if (const auto code = files.WriteFile(where.document, doc.ContentsForRecovery())) return code;
    if (const auto code = files.WriteFile(
            where.record,
            std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())))
        return code;
    doc.SetModifiedFlag(false);
    return 0;
}

std::optional<std::string> PendingRecovery(const IFileSystem& files, const RecoveryFiles& where) {
    const std::optional<Record> record = ReadRecord(files, where);
    if (!record) return std::nullopt;
    return record->path;
}

void Recover(CDocApp& doc, IFileSystem& files, const RecoveryFiles& where) {
    const std::optional<Record> record = ReadRecord(files, where);
    if (!record) throw CSystemError(kErrorFileNotFound, where.record);
    doc.OpenRecovered(where.document, record->path, record->stamp);
    DiscardRecovery(files, where);
}

void DiscardRecovery(IFileSystem& files, const RecoveryFiles& where) {
    (void)files.DeleteFile(where.document);
    (void)files.DeleteFile(where.record);
}

}  // namespace nl
