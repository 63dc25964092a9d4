#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/CArchiveException.h"
#include "base/COleDateTime.h"

namespace nl {

// A little-endian binary archive that either stores into a byte buffer or loads from one.
// Records serialize themselves through one operation that both writes and reads; the
// symmetric helpers (Io, Reserved, Magic) write when storing and read when loading.
//
// Loading is safe against hostile input: every length or count is checked against the
// bytes left before anything is allocated, so no read allocates more than the input's
// size, and a short read raises the end-of-file error.
class CArchive {
public:
    enum class Mode { kStore, kLoad };

    // An archive that stores into its own buffer.
    explicit CArchive(std::string fileName = {});
    // An archive that loads from `data`, which must outlive it.
    explicit CArchive(std::span<const std::uint8_t> data, std::string fileName = {});

    bool IsStoring() const { return m_mode == Mode::kStore; }
    bool IsLoading() const { return m_mode == Mode::kLoad; }
    const std::string& FileName() const { return m_fileName; }

    // Storing: the bytes written so far.
    const std::vector<std::uint8_t>& Bytes() const { return m_out; }
    std::vector<std::uint8_t> TakeBytes() { return std::move(m_out); }
    // Loading: the read position and the bytes left.
    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_in.size() - m_pos; }

    [[noreturn]] void ThrowBadFormat() const;
    [[noreturn]] void ThrowEndOfFile() const;

    // Raw values.
    void WriteBytes(const void* data, std::size_t size);
    void ReadBytes(void* data, std::size_t size);
    void SkipBytes(std::size_t size);
    void WriteU8(std::uint8_t v);
    void WriteU16(std::uint16_t v);
    void WriteU32(std::uint32_t v);
    void WriteU64(std::uint64_t v);
    void WriteI32(std::int32_t v) { WriteU32(static_cast<std::uint32_t>(v)); }
    void WriteF64(double v);
    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::uint64_t ReadU64();
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
    double ReadF64();

    // No limit on a length or a count read.
    static constexpr std::uint64_t kNoLimit = UINT64_MAX;
    // The longest text the program keeps (in UTF-16 code units): window titles and class
    // names are cut to it when a pick keeps them, and the editors of the other texts hold
    // fewer. Readers refuse longer texts.
    static constexpr std::uint64_t kLongestText = 32767;

    // Strings: written in the Unicode form (0xFF, the tag 0xFFFE, a length in UTF-16 code
    // units that escalates 1 -> 2 -> 4 -> 8 bytes, then the code units). Reading also
    // accepts the narrow form (no tag, bytes read as Latin-1). A string longer than the
    // bytes left raises the end-of-file error; one that fits but is longer than `maxLength`
    // units the bad-format error. Skipping allocates nothing.
    void WriteString(std::string_view utf8);
    std::string ReadString(std::uint64_t maxLength = kNoLimit);
    void SkipString();
    // Loading: the bytes at the read position must be `signature` stored as a string, in
    // either form; they are consumed. Anything else, a file too short to hold it included,
    // raises the bad-format error before more is read.
    void ExpectString(std::string_view signature);

    // Counts: 16 bits below 0xFFFF, else 0xFFFF and 32 bits, else also 0xFFFFFFFF and 64 bits.
    // A read count whose elements (at least `minElementBytes` each) cannot fit in the bytes
    // left raises the end-of-file error; one that fits but exceeds `maxCount` the
    // bad-format error.
    void WriteCount(std::uint64_t count);
    std::uint64_t ReadCount(std::size_t minElementBytes, std::uint64_t maxCount = kNoLimit);

    // Dates: i32 status, then the f64 OLE date.
    void WriteDate(const COleDateTime& date);
    COleDateTime ReadDate();

    // A DWORD table is a count and that many u32; a string table a count and that many strings.
    void WriteDwordTable(std::span<const std::uint32_t> values);
    std::vector<std::uint32_t> ReadDwordTable();
    void WriteStringTable(std::span<const std::string> values);
    // At most `maxCount` strings of at most `maxLength` units each, else the bad-format error.
    std::vector<std::string> ReadStringTable(std::uint64_t maxCount = kNoLimit,
                                             std::uint64_t maxLength = kNoLimit);
    // Reads past a string table without keeping any of it.
    void SkipStringTable();

    // Symmetric helpers.
    void Io(std::uint32_t& v) { IsStoring() ? WriteU32(v) : void(v = ReadU32()); }
    void Io(std::int32_t& v) { IsStoring() ? WriteI32(v) : void(v = ReadI32()); }
    void Io(std::uint64_t& v) { IsStoring() ? WriteU64(v) : void(v = ReadU64()); }
    void Io(double& v) { IsStoring() ? WriteF64(v) : void(v = ReadF64()); }
    void Io(std::string& v) { IsStoring() ? WriteString(v) : void(v = ReadString()); }
    void Io(COleDateTime& v) { IsStoring() ? WriteDate(v) : void(v = ReadDate()); }
    void Io(std::vector<std::uint32_t>& v) {
        IsStoring() ? WriteDwordTable(v) : void(v = ReadDwordTable());
    }
    void Io(std::vector<std::string>& v) {
        IsStoring() ? WriteStringTable(v) : void(v = ReadStringTable());
    }
    // A reserved run: `u64s` zero u64 values then `strings` empty strings. Readers skip what
    // they find there.
    void Reserved(int u64s, int strings);
    // Four magic bytes. Storing writes them; loading reads four bytes and, when `check`
    // is set, raises the bad-format error if they differ.
    enum class MagicCheck { kCheck, kSkip };
    void Magic(std::string_view fourBytes, MagicCheck check = MagicCheck::kCheck);
    // A record's format version: storing writes `current`; loading reads it and raises the
    // bad-format error when it is greater than `current`. Returns the version read or written.
    std::uint32_t Version(std::uint32_t current);

    // Object arrays in the framework's object form: a count, then per element either the
    // null tag 0, or the new-class tag 0xFFFF with a 16-bit schema, the 16-bit length of the
    // class name and the name in ASCII followed by the body, or 0x8000 | class index and the
    // body for later objects of a class already seen. T needs `void Serialize(CArchive&)` and
    // a default constructor. Loading clears `items` first and refuses more than `maxCount`
    // elements with the bad-format error.
    template <class T>
    void ObjectArray(std::vector<std::unique_ptr<T>>& items, std::string_view className,
                     std::uint16_t schema, std::uint64_t maxCount = kNoLimit);

private:
    // Object tags: per element, writes or reads the tag and the class description; returns
    // false for a null element.
    void StoreObjectTag(bool isNull, std::string_view className, std::uint16_t schema);
    bool LoadObjectTag(std::string_view className);
    void Need(std::size_t size) const;

    Mode m_mode;
    std::string m_fileName;
    std::vector<std::uint8_t> m_out;
    std::span<const std::uint8_t> m_in;
    std::size_t m_pos = 0;
    // The length and the width of a code unit of the string at the read position; the
    // position is left at its first code unit.
    std::uint64_t ReadStringHeader(std::size_t& charSize);

    // The framework numbers classes and objects in one sequence starting at 1 (0 is null).
    std::uint32_t m_mapCount = 1;
    // Storing: the classes written so far with their numbers.
    std::vector<std::pair<std::string, std::uint32_t>> m_classes;
    // Loading: the class names met so far, and per class tag read its number and the slot of
    // its name, in the order read and so sorted by number: a reference is found by a binary
    // search on its number, whatever the number of classes.
    struct LoadedClass {
        std::uint32_t index;
        std::uint32_t nameSlot;
    };
    std::vector<std::string> m_classNames;
    std::vector<LoadedClass> m_loadedClasses;
};

template <class T>
void CArchive::ObjectArray(std::vector<std::unique_ptr<T>>& items, std::string_view className,
                           std::uint16_t schema, std::uint64_t maxCount) {
    if (IsStoring()) {
        WriteCount(items.size());
        for (auto& item : items) {
            StoreObjectTag(item == nullptr, className, schema);
            if (item) item->Serialize(*this);
        }
        return;
    }
    items.clear();
    const std::uint64_t count = ReadCount(2, maxCount);  // every element has at least its tag
    for (std::uint64_t i = 0; i < count; ++i) {
        if (!LoadObjectTag(className)) {
            items.emplace_back();
            continue;
        }
        auto item = std::make_unique<T>();
        item->Serialize(*this);
        items.push_back(std::move(item));
    }
}

}  // namespace nl
