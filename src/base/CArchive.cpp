#include "base/CArchive.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/text.h"

namespace nl {
namespace {

constexpr std::uint8_t kByteEscape = 0xFF;
constexpr std::uint16_t kUnicodeTag = 0xFFFE;
constexpr std::uint16_t kWordEscape = 0xFFFF;
constexpr std::uint32_t kDwordEscape = 0xFFFFFFFF;

constexpr std::uint16_t kNullTag = 0;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::size_t kMaxClassNameLength = 64;

static_assert(std::endian::native == std::endian::little, "the archive writes host order");

}  // namespace

CArchive::CArchive(std::string fileName) : m_mode(Mode::kStore), m_fileName(std::move(fileName)) {}

CArchive::CArchive(std::span<const std::uint8_t> data, std::string fileName)
    : m_mode(Mode::kLoad), m_fileName(std::move(fileName)), m_in(data) {}

void CArchive::ThrowBadFormat() const {
    throw CArchiveException(CArchiveException::Cause::kBadFormat, m_fileName);
}

void CArchive::ThrowEndOfFile() const {
    throw CArchiveException(CArchiveException::Cause::kEndOfFile, m_fileName);
}

void CArchive::Need(std::size_t size) const {
    if (size > Remaining()) ThrowEndOfFile();
}

void CArchive::WriteBytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_out.insert(m_out.end(), p, p + size);
}

void CArchive::ReadBytes(void* data, std::size_t size) {
    Need(size);
    if (size != 0) std::memcpy(data, m_in.data() + m_pos, size);
    m_pos += size;
}

void CArchive::SkipBytes(std::size_t size) {
    Need(size);
    m_pos += size;
}

void CArchive::WriteU8(std::uint8_t v) {
    m_out.push_back(v);
}
void CArchive::WriteU16(std::uint16_t v) {
    WriteBytes(&v, sizeof v);
}
void CArchive::WriteU32(std::uint32_t v) {
    WriteBytes(&v, sizeof v);
}
void CArchive::WriteU64(std::uint64_t v) {
    WriteBytes(&v, sizeof v);
}
void CArchive::WriteF64(double v) {
    WriteBytes(&v, sizeof v);
}

std::uint8_t CArchive::ReadU8() {
    std::uint8_t v;
    ReadBytes(&v, sizeof v);
    return v;
}
std::uint16_t CArchive::ReadU16() {
    std::uint16_t v;
    ReadBytes(&v, sizeof v);
    return v;
}
std::uint32_t CArchive::ReadU32() {
    std::uint32_t v;
    ReadBytes(&v, sizeof v);
    return v;
}
std::uint64_t CArchive::ReadU64() {
    std::uint64_t v;
    ReadBytes(&v, sizeof v);
    return v;
}
double CArchive::ReadF64() {
    double v;
    ReadBytes(&v, sizeof v);
    return v;
}

void CArchive::WriteString(std::string_view utf8) {
    const std::u16string units = Utf8ToUtf16(utf8);
    const std::uint64_t length = units.size();
    WriteU8(kByteEscape);
    WriteU16(kUnicodeTag);
    if (length < kByteEscape) {
        WriteU8(static_cast<std::uint8_t>(length));
    } else {
        WriteU8(kByteEscape);
        if (length < kUnicodeTag) {
            WriteU16(static_cast<std::uint16_t>(length));
        } else {
            WriteU16(kWordEscape);
            if (length < kDwordEscape) {
                WriteU32(static_cast<std::uint32_t>(length));
            } else {
                WriteU32(kDwordEscape);
                WriteU64(length);
            }
        }
    }
    for (const char16_t unit : units) WriteU16(static_cast<std::uint16_t>(unit));
}

std::uint64_t CArchive::ReadStringHeader(std::size_t& charSize) {
    // The length escalates byte -> word -> dword -> qword; a word of 0xFFFE right after the
    // first escape marks a UTF-16 string, whose length then starts over at one byte.
    charSize = 1;
    std::uint64_t length = ReadU8();
    if (length == kByteEscape) {
        std::uint16_t word = ReadU16();
        bool escalate = true;
        if (word == kUnicodeTag) {
            charSize = 2;
            length = ReadU8();
            escalate = length == kByteEscape;
            if (escalate) word = ReadU16();
        }
        if (escalate) {
            length = word;
            if (word == kWordEscape) {
                const std::uint32_t dword = ReadU32();
                length = dword == kDwordEscape ? ReadU64() : dword;
            }
        }
    }
    if (length > Remaining() / charSize) ThrowEndOfFile();
    return length;
}

std::string CArchive::ReadString(std::uint64_t maxLength) {
    std::size_t charSize = 1;
    const std::uint64_t length = ReadStringHeader(charSize);
    if (length > maxLength) ThrowBadFormat();
    const auto count = static_cast<std::size_t>(length);
    const std::uint8_t* p = m_in.data() + m_pos;
    m_pos += count * charSize;
    if (charSize == 1) return Latin1ToUtf8({reinterpret_cast<const char*>(p), count});
    std::u16string units(count, u'\0');
    std::memcpy(units.data(), p, count * 2);
    return Utf16ToUtf8(units);
}

void CArchive::ExpectString(std::string_view signature) {
    const auto startsWith = [this](std::span<const std::uint8_t> prefix) {
        return prefix.size() <= Remaining() &&
               std::memcmp(m_in.data() + m_pos, prefix.data(), prefix.size()) == 0;
    };
    CArchive wide;
    wide.WriteString(signature);
    if (startsWith(wide.Bytes())) {
        m_pos += wide.Bytes().size();
        return;
    }
    // The narrow form: a one-byte length then the bytes, for signatures short enough.
    if (signature.size() < kByteEscape) {
        std::vector<std::uint8_t> narrow{static_cast<std::uint8_t>(signature.size())};
        narrow.insert(narrow.end(), signature.begin(), signature.end());
        if (startsWith(narrow)) {
            m_pos += narrow.size();
            return;
        }
    }
    ThrowBadFormat();
}

void CArchive::SkipString() {
    std::size_t charSize = 1;
    const std::uint64_t length = ReadStringHeader(charSize);
    m_pos += static_cast<std::size_t>(length) * charSize;
}

void CArchive::WriteCount(std::uint64_t count) {
    if (count < kWordEscape) {
        WriteU16(static_cast<std::uint16_t>(count));
        return;
    }
    WriteU16(kWordEscape);
    if (count < kDwordEscape) {
        WriteU32(static_cast<std::uint32_t>(count));
        return;
    }
    WriteU32(kDwordEscape);
    WriteU64(count);
}

std::uint64_t CArchive::ReadCount(std::size_t minElementBytes, std::uint64_t maxCount) {
    std::uint64_t count = ReadU16();
    if (count == kWordEscape) {
        count = ReadU32();
        if (count == kDwordEscape) count = ReadU64();
    }
    if (minElementBytes != 0 && count > Remaining() / minElementBytes) ThrowEndOfFile();
    if (count > maxCount) ThrowBadFormat();
    return count;
}

void CArchive::WriteDate(const COleDateTime& date) {
    WriteI32(date.GetStatus());
    WriteF64(date.Date());
}

COleDateTime CArchive::ReadDate() {
    const std::int32_t status = ReadI32();
    const double value = ReadF64();
    return COleDateTime(
        value, status == COleDateTime::kValid ? COleDateTime::kValid : COleDateTime::kInvalid);
}

void CArchive::WriteDwordTable(std::span<const std::uint32_t> values) {
    WriteCount(values.size());
    for (const std::uint32_t v : values) WriteU32(v);
}

std::vector<std::uint32_t> CArchive::ReadDwordTable() {
    const auto count = static_cast<std::size_t>(ReadCount(sizeof(std::uint32_t)));
    std::vector<std::uint32_t> values(count);
    for (auto& v : values) v = ReadU32();
    return values;
}

void CArchive::WriteStringTable(std::span<const std::string> values) {
    WriteCount(values.size());
    for (const auto& v : values) WriteString(v);
}

std::vector<std::string> CArchive::ReadStringTable(std::uint64_t maxCount,
                                                   std::uint64_t maxLength) {
    // A string takes one byte at least.
    const auto count = static_cast<std::size_t>(ReadCount(1, maxCount));
    std::vector<std::string> values;
    values.reserve(count);
    for (std::size_t i = 0; i < count; ++i) values.push_back(ReadString(maxLength));
    return values;
}

void CArchive::SkipStringTable() {
    const std::uint64_t count = ReadCount(1);
    for (std::uint64_t i = 0; i < count; ++i) SkipString();
}

void CArchive::Reserved(int u64s, int strings) {
    for (int i = 0; i < u64s; ++i) IsStoring() ? WriteU64(0) : void(ReadU64());
    for (int i = 0; i < strings; ++i) IsStoring() ? WriteString({}) : SkipString();
}

void CArchive::Magic(std::string_view fourBytes, MagicCheck check) {
    if (IsStoring()) {
        WriteBytes(fourBytes.data(), fourBytes.size());
        return;
    }
    char read[4] = {};
    ReadBytes(read, sizeof read);
    if (check == MagicCheck::kCheck && std::string_view(read, sizeof read) != fourBytes)
        ThrowBadFormat();
}

std::uint32_t CArchive::Version(std::uint32_t current) {
    if (IsStoring()) {
        WriteU32(current);
        return current;
    }
    const std::uint32_t version = ReadU32();
    if (version > current) ThrowBadFormat();
    return version;
}

void CArchive::StoreObjectTag(bool isNull, std::string_view className, std::uint16_t schema) {
    if (isNull) {
        WriteU16(kNullTag);
        return;
    }
    for (const auto& [name, index] : m_classes) {
        if (name == className) {
            if (index < kBigObjectTag) {
                WriteU16(static_cast<std::uint16_t>(kClassTag | index));
            } else {
                WriteU16(kBigObjectTag);
                WriteU32(kBigClassTag | index);
            }
            ++m_mapCount;  // the object itself takes the next number
            return;
        }
    }
    WriteU16(kNewClassTag);
    WriteU16(schema);
    WriteU16(static_cast<std::uint16_t>(className.size()));
    WriteBytes(className.data(), className.size());
    m_classes.emplace_back(std::string(className), m_mapCount++);
    ++m_mapCount;
}

bool CArchive::LoadObjectTag(std::string_view className) {
    const std::uint16_t tag = ReadU16();
    if (tag == kNullTag) return false;
    if (tag == kNewClassTag) {
        ReadU16();  // schema: the record carries its own version
        const std::uint16_t length = ReadU16();
        if (length == 0 || length > kMaxClassNameLength) ThrowBadFormat();
        std::string name(length, '\0');
        ReadBytes(name.data(), length);
        if (name != className) ThrowBadFormat();
        auto known = std::find(m_classNames.begin(), m_classNames.end(), name);
        if (known == m_classNames.end()) known = m_classNames.insert(known, std::move(name));
        const auto slot = static_cast<std::uint32_t>(known - m_classNames.begin());
        m_loadedClasses.push_back({m_mapCount++, slot});
        ++m_mapCount;
        return true;
    }
    std::uint32_t index;
    if (tag == kBigObjectTag) {
        const std::uint32_t big = ReadU32();
        if ((big & kBigClassTag) == 0) ThrowBadFormat();  // a reference to an earlier object
        index = big & ~kBigClassTag;
    } else {
        if ((tag & kClassTag) == 0) ThrowBadFormat();  // a reference to an earlier object
        index = tag & ~kClassTag;
    }
    const auto found = std::lower_bound(
        m_loadedClasses.begin(), m_loadedClasses.end(), index,
        [](const LoadedClass& c, std::uint32_t wanted) { return c.index < wanted; });
    if (found == m_loadedClasses.end() || found->index != index ||
        m_classNames[found->nameSlot] != className)
        ThrowBadFormat();
    ++m_mapCount;
    return true;
}

}  // namespace nl
