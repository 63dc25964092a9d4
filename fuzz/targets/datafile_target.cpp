// Feeds arbitrary bytes to the data-file reader: the settings block, the ruler record, the
// tables, the common-settings block and the window-state objects, into fresh preferences.
#include <cstdint>
#include <span>

#include "base/CArchiveException.h"
#include "framework/CAppPrefs.h"
#include "fuzz/targets/fuzz_targets.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeFolders.h"

namespace {

class ZeroClock final : public nl::IClock {
public:
    std::chrono::system_clock::time_point UtcNow() const override { return {}; }
    std::int64_t TickCountMs() const override { return 0; }
};

}  // namespace

int nl::fuzz::DataFile(const std::uint8_t* data, std::size_t size) {
    static nl::FakeFolders folders;
    static nl::FakeFileSystem files;
    static nl::FakeDialogs dialogs;
    static ZeroClock clock;
    nl::CAppPrefs prefs(nl::PrefsServices{nullptr, &folders, &files, &dialogs, &clock});
    try {
        prefs.LoadFromBytes(std::span<const std::uint8_t>(data, size), "fuzz.dat");
    } catch (const nl::CArchiveException&) {
        return 0;
    }
    // What loaded must be whole: seven window states or more, none missing, and the tables
    // at their sizes; written again it must read back.
    if (prefs.WinStateCount() < nl::CAppPrefs::kWinStateCount) __builtin_trap();
    for (int i = 0; i < prefs.WinStateCount(); ++i) (void)prefs.WinState(i).Flags();
    if (prefs.EventSounds().size() != 3 || prefs.CustomColors().size() != 16 ||
        prefs.HotKeys().size() < 4)
        __builtin_trap();
    const auto bytes = prefs.StoreToBytes("fuzz.dat");
    nl::CAppPrefs again(nl::PrefsServices{nullptr, &folders, &files, &dialogs, &clock});
    again.LoadFromBytes(bytes, "fuzz.dat");
    if (again.Settings() != prefs.Settings() || again.HotKeys() != prefs.HotKeys() ||
        again.WinStateCount() != prefs.WinStateCount())
        __builtin_trap();
    return 0;
}
