#pragma once
// Helpers shared by the tests of the picked colors and of the document: a clock the test
// sets, a sink that records view notifications and byte builders for hand-written files.
#include <chrono>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "base/COleDateTime.h"
#include "document/ViewNotification.h"
#include "platform/fake/FakeClock.h"

namespace nl::testing_support {

using Bytes = std::vector<std::uint8_t>;

// A clock that stays where the test puts it.
class TestClock final : public FakeClock {
public:
    // 2024-03-05 14:07:09 UTC.
    static constexpr std::int64_t kStartSeconds = 1709647629;
    TestClock()
        : FakeClock(std::chrono::system_clock::time_point(std::chrono::seconds(kStartSeconds))) {}
    // The clock's moment as the stored OLE date.
    double OleNow() const { return COleDateTime::FromTimePoint(UtcNow()).Date(); }
};

// Records every view notification in order.
class RecordingSink final : public IViewNotifySink {
public:
    using Entry = std::pair<ViewNotify, std::intptr_t>;
    void OnViewNotify(ViewNotify type, std::intptr_t argument) override {
        m_entries.emplace_back(type, argument);
    }
    const std::vector<Entry>& Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
};

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes U32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

inline Bytes I32(std::int32_t v) {
    return U32(static_cast<std::uint32_t>(v));
}

inline Bytes F64(double v) {
    Bytes out(sizeof v);
    std::memcpy(out.data(), &v, sizeof v);  // the archive is little-endian, as is the host
    return out;
}

// n zero bytes.
inline Bytes Zeros(std::size_t n) {
    return Bytes(n, 0);
}

// An archive string in the Unicode form with a one-byte length, of an ASCII text.
inline Bytes Str(const std::string& ascii) {
    Bytes out = {0xFF, 0xFE, 0xFF, static_cast<std::uint8_t>(ascii.size())};
    for (char c : ascii) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(0);
    }
    return out;
}

// A date: status, then the OLE date.
inline Bytes Date(double ole, std::int32_t status = 0) {
    return Concat({I32(status), F64(ole)});
}

// The empty string, `n` times.
inline Bytes EmptyStrings(int n) {
    Bytes out;
    for (int i = 0; i < n; ++i) out = Concat({out, Str("")});
    return out;
}

}  // namespace nl::testing_support
