#pragma once
// Shared set-up of the preferences tests: fake platform services, a fixed clock and a byte
// builder that writes the data file from its layout, independently of the program's writer.
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "framework/CAppPrefs.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeFolders.h"
#include "platform/fake/FakeSettingsStore.h"
#include "res/version.h"

namespace nl::test {

using Bytes = std::vector<std::uint8_t>;

// 1 January 2024, 00:00 UTC: OLE date 45292.0.
inline constexpr double kFixedOleDate = 45292.0;

using FixedClock = FakeClock;

inline constexpr std::uint32_t Version(std::uint32_t major, std::uint32_t minor) {
    return (major << 16) | minor;
}

inline const std::string kDataFolder = "/fake/home/.local/share/Nerim Rirideviz/NerimLens";
inline const std::string kDataFile = kDataFolder + "/NerimLens.dat";
inline const std::string kRegistryKey = "Software\\Nerim Rirideviz\\NerimLens\\CurrentVersion";

// The fakes and one preferences object on them.
struct PrefsRig {
    FakeSettingsStore store;
    FakeFolders folders;
    FakeFileSystem files;
    FakeDialogs dialogs;
    FixedClock clock;

    PrefsServices Services() { return {&store, &folders, &files, &dialogs, &clock}; }
};

// Writes data-file bytes value by value, in the archive's conventions.
class ByteWriter {
public:
    ByteWriter& U8(std::uint8_t v) {
        m_bytes.push_back(v);
        return *this;
    }
    ByteWriter& U16(std::uint16_t v) { return Raw(&v, 2); }
    ByteWriter& U32(std::uint32_t v) { return Raw(&v, 4); }
    ByteWriter& U64(std::uint64_t v) { return Raw(&v, 8); }
    ByteWriter& F64(double v) { return Raw(&v, 8); }
    ByteWriter& Ascii(std::string_view text) { return Raw(text.data(), text.size()); }
    ByteWriter& Zeros(std::size_t n) {
        m_bytes.insert(m_bytes.end(), n, 0);
        return *this;
    }
    ByteWriter& EmptyString() { return U8(0xFF).U16(0xFFFE).U8(0); }
    ByteWriter& Date(std::int32_t status, double value) {
        return U32(static_cast<std::uint32_t>(status)).F64(value);
    }
    ByteWriter& Reserved(int u64s, int strings) {
        for (int i = 0; i < u64s; ++i) U64(0);
        for (int i = 0; i < strings; ++i) EmptyString();
        return *this;
    }
    ByteWriter& DwordTable(const std::vector<std::uint32_t>& values) {
        U16(static_cast<std::uint16_t>(values.size()));
        for (auto v : values) U32(v);
        return *this;
    }
    ByteWriter& Append(const Bytes& more) {
        m_bytes.insert(m_bytes.end(), more.begin(), more.end());
        return *this;
    }
    const Bytes& Get() const { return m_bytes; }

private:
    ByteWriter& Raw(const void* p, std::size_t n) {
        const auto* b = static_cast<const std::uint8_t*>(p);
        m_bytes.insert(m_bytes.end(), b, b + n);
        return *this;
    }
    Bytes m_bytes;
};

// What a hand-built data file holds; the defaults give the file the defaults are saved as.
struct FileSpec {
    std::uint32_t magic = 0x6C6E434E;  // "NCnl"
    std::uint32_t formatVersion = 0x00010000;
    std::uint32_t writerVersion = kProductVersion;
    double savedAt = kFixedOleDate;
    std::int32_t reservedA = 1, reservedB = 7;
    std::int32_t recentFileCount = 4;
    std::uint32_t generalOptions = 0x00010701, displayOptions = 0x03010100, soundOptions = 1;
    std::int32_t activeTool = 1, exportOption = 0;
    std::int32_t zoomFactor = 400, colorFormatIndex = 0, lengthUnitIndex = 0;
    std::uint32_t colorPickerOptions = 0x00010200, magnifierOptions = 0x130, gaugeOptions = 0x110;
    std::uint32_t screenCopierOptions = 0x10;
    std::int32_t pickDelay = 2000;
    std::uint32_t fillColor = 0x00FFFFFF;
    // Ruler: caption items, options, base, scale, auto-preview.
    std::uint32_t rulerCaption = 0x203, rulerOptions = 0x4001;
    std::int32_t rulerBase = 10, rulerScale = 100, rulerAutoPreview = 1;
    std::vector<std::uint32_t> eventSounds = {0, 0, 0};
    std::vector<std::uint32_t> customColors = std::vector<std::uint32_t>(16, 0);
    std::vector<std::uint32_t> hotKeys = {0, 0, 0, 0};
    // Window states: open flag and numbers of each.
    struct WinState {
        std::uint32_t flags;
        std::vector<std::uint32_t> numbers;
    };
    std::vector<WinState> winStates = {{1, {}}, {0, {0}}, {0, {}}, {0, {}},
                                       {0, {}}, {0, {}},  {0, {}}};
};

inline void WriteWinState(ByteWriter& w, const FileSpec::WinState& s) {
    w.Ascii("SWCN").U32(0x00020000).U32(s.flags).U32(0).U32(0).EmptyString().U32(0).U32(0);
    w.Zeros(44);  // a placement never recorded: length 0 and zeros
    w.DwordTable(s.numbers).U16(0);
}

inline Bytes BuildDataFile(const FileSpec& f) {
    ByteWriter w;
    w.U32(f.magic).U32(f.formatVersion).U32(f.writerVersion).Date(0, f.savedAt);
    w.Reserved(4, 0).U32(f.reservedA).U32(f.reservedB).Reserved(0, 4);
    w.U32(f.recentFileCount).U32(f.generalOptions).U32(f.displayOptions).U32(f.soundOptions);
    w.U32(f.activeTool).U32(f.exportOption).Reserved(8, 4);
    w.U32(f.zoomFactor).U32(f.colorFormatIndex).U32(f.lengthUnitIndex).Reserved(8, 4);
    w.U32(f.colorPickerOptions).Reserved(4, 4);
    w.U32(f.magnifierOptions).Reserved(4, 4);
    w.U32(f.gaugeOptions).Reserved(4, 4);
    w.U32(f.screenCopierOptions).U32(f.pickDelay).U32(f.fillColor).Reserved(4, 4);
    w.Reserved(4, 2).Date(0, 0.0).Date(0, 0.0).Reserved(4, 4);
    // The ruler record.
    w.Ascii("NCru").U32(0x00010000).U32(kProductVersion).Reserved(4, 4);
    w.U32(f.rulerCaption).U32(f.rulerOptions).U32(f.rulerBase).U32(f.rulerScale);
    w.U32(f.rulerAutoPreview).Reserved(4, 4);
    w.DwordTable(f.eventSounds).DwordTable(f.customColors).DwordTable(f.hotKeys);
    w.U16(0).U16(0);  // two empty string tables
    // The common-settings block.
    w.Ascii("SCCN").U32(0x00010000).Date(0, f.savedAt).U32(0).U32(0).U32(0).U32(0);
    w.Date(0, 0.0).Date(0, 0.0).EmptyString().EmptyString().Zeros(16).U32(0).U32(0);
    w.U16(static_cast<std::uint16_t>(f.winStates.size()));
    for (std::size_t i = 0; i < f.winStates.size(); ++i) {
        if (i == 0)
            w.U16(0xFFFF).U16(1).U16(9).Ascii("CWinState");
        else
            w.U16(0x8001);
        WriteWinState(w, f.winStates[i]);
    }
    return w.Get();
}

}  // namespace nl::test
