#include "cli/SettingsCommand.h"

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "base/CArchiveException.h"
#include "base/CSystemError.h"
#include "cli/CCliSession.h"
#include "cli/command_support.h"
#include "cli/option_names.h"
#include "framework/CAppPrefs.h"
#include "framework/hot_keys.h"
#include "platform/IDialogs.h"
#include "platform/local/LocalFileSystem.h"
#include "platform/local/XdgFolders.h"

namespace nl::cli {
namespace {

// Whether `path` is a file this user cannot read. Such a file is somebody's and nothing says
// it holds settings, so replacing it takes --force like any other data. (A missing name, or
// one that is not a file at all, is left for the write to report.)
bool IsUnreadableFile(const IFileSystem& files, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    return files.FileExists(path) && files.ReadFile(path, bytes) != 0;
}

using Json = nlohmann::ordered_json;

// "2024-01-01T12:30:00Z", with milliseconds when there are any; null for an invalid date.
Json IsoUtc(const COleDateTime& date) {
    CivilTime t;
    if (!date.ToCivil(t)) return nullptr;
    char text[32];
    if (t.millisecond != 0)
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", t.year, t.month,
                      t.day, t.hour, t.minute, t.second, t.millisecond);
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
    return text;
}

Json PointJson(const Point& p) {
    return {{"x", p.x}, {"y", p.y}};
}

// An option word and, beside it, the names of its set bits.
void PutOptionWord(Json& out, const AppSettings& settings, OptionWord word) {
    const std::string key(OptionWordKey(word));
    out[key] = settings.Options(word);
    out[key + "_names"] = OptionBitNames(word, settings.Options(word));
}

Json Dump(const CAppPrefs& prefs) {
    const AppSettings& s = prefs.Settings();
    Json out;
    out["recent_file_count"] = s.recentFileCount;
    PutOptionWord(out, s, OptionWord::kGeneral);
    PutOptionWord(out, s, OptionWord::kDisplay);
    PutOptionWord(out, s, OptionWord::kSound);
    out["active_tool"] = s.activeTool;
    out["export_option"] = s.exportOption;
    out["zoom_factor"] = s.zoomFactor;
    out["color_format_index"] = s.colorFormatIndex;
    out["length_unit_index"] = s.lengthUnitIndex;
    PutOptionWord(out, s, OptionWord::kColorPicker);
    PutOptionWord(out, s, OptionWord::kMagnifier);
    PutOptionWord(out, s, OptionWord::kGauge);
    PutOptionWord(out, s, OptionWord::kScreenCopier);
    out["pick_delay"] = s.pickDelay;
    out["screen_copier_fill_color"] = s.screenCopierFillColor;
    out["reserved_a"] = s.reservedA;
    out["reserved_b"] = s.reservedB;
    out["writer_version"] = prefs.WriterVersion();
    out["format_version"] = prefs.StoredFormatVersion();
    out["saved_at"] = IsoUtc(prefs.SavedAt());
    const CRulerData& r = prefs.Ruler();
    out["ruler"] = {{"caption_items", r.CaptionItems()},
                    {"caption_items_names", RulerCaptionNames(r.CaptionItems())},
                    {"options", r.Options()},
                    {"options_names", RulerOptionNames(r.Options())},
                    {"base", r.GraduationBase()},
                    {"scale", r.ScalingFactor()},
                    {"auto_preview", r.AutoPreview() ? 1 : 0}};
    out["event_sounds"] = prefs.EventSounds();
    out["custom_colors"] = prefs.CustomColors();
    Json hotKeys = Json::array();
    for (const std::uint32_t value : prefs.HotKeys())
        hotKeys.push_back({{"value", value}, {"text", HotKeyText(value)}});
    out["hot_keys"] = std::move(hotKeys);
    // The Contrast window's, which the side file beside the data file keeps.
    const std::uint32_t contrast = prefs.HotKeyTable()[kHotKeyContrast];
    out["contrast_hot_key"] = {{"value", contrast}, {"text", HotKeyText(contrast)}};
    Json states = Json::array();
    for (int i = 0; i < prefs.WinStateCount(); ++i) {
        const CWinState& w = prefs.WinState(i);
        const WindowPlacement& p = w.Placement();
        const Rect& n = p.normalPosition;
        states.push_back(
            {{"flags", w.Flags()},
             {"placement",
              {{"length", p.length},
               {"flags", p.flags},
               {"show_cmd", p.showCmd},
               {"min_position", PointJson(p.minPosition)},
               {"max_position", PointJson(p.maxPosition)},
               {"normal_position",
                {{"left", n.left}, {"top", n.top}, {"right", n.right}, {"bottom", n.bottom}}}}},
             {"numbers", w.Numbers()},
             {"strings", w.Strings()}});
    }
    out["window_states"] = std::move(states);
    return out;
}

// "ID=VALUE": a hot key id of the table and the key value, checked as the hot key editor
// checks it.
std::pair<int, std::uint32_t> ParseHotKeySetting(const std::string& entry) {
    const auto equals = entry.find('=');
    const auto bad = [&](const std::string& why) {
        return UsageError("--hot-key " + entry + ": " + why);
    };
    if (equals == std::string::npos) throw bad("expected ID=VALUE");
    std::size_t used = 0;
    int id = -1;
    unsigned long value = 0;
    try {
        id = std::stoi(entry.substr(0, equals), &used, 10);
        if (used != equals) throw bad("the id is not a number");
        const std::string text = entry.substr(equals + 1);
        value = std::stoul(text, &used, 0);
        if (used != text.size()) throw bad("the value is not a number");
    } catch (const std::logic_error&) {
        throw bad("expected ID=VALUE with numbers");
    }
    if (id < 0 || id >= kHotKeyCount) throw bad("the id must be 0 to 4");
    if (value > 0xFFFFFFFFul || !ValidateHotKey(static_cast<std::uint32_t>(value)))
        throw bad("not a valid hot key (F1 to F12 with modifiers)");
    return {id, static_cast<std::uint32_t>(value)};
}

}  // namespace

void RegisterSettingsCommand(CLI::App& app, std::string& output) {
    CLI::App* settings =
        app.add_subcommand("settings", "Read, check and write NerimLens data files (.dat)");
    settings->require_subcommand(1);

    struct Args {
        std::string file;
        std::vector<std::string> hotKeys;
        bool force = false;
    };
    auto args = std::make_shared<Args>();

    CLI::App* dump = settings->add_subcommand(
        "dump", "Print every setting of a data file as JSON (default: the program's own file)");
    dump->add_option("FILE", args->file, "the data file");
    dump->callback([args, &output] {
        CCliSession session;
        const std::string path = args->file.empty() ? session.prefs->DataFilePath() : args->file;
        output = RunNamingFile(FileUse::kRead, path, [&] {
            session.Read(path);
            return Dump(*session.prefs).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
        });
    });

    CLI::App* defaults =
        settings->add_subcommand("defaults", "Write a data file holding the default settings");
    defaults->add_option("FILE", args->file, "the data file to write")->required();
    defaults
        ->add_option("--hot-key", args->hotKeys,
                     "set hot key ID (0 Show/Hide, 1 Pick Color, 2 Ruler, 3 Clipboard Viewer, 4 "
                     "Contrast) to VALUE (modifier flags << 16 | virtual key, decimal or 0x hex), "
                     "as ID=VALUE")
        ->take_all();
    defaults->add_flag("--force", args->force,
                       "replace FILE even when it holds something other than a data file");
    defaults->callback([args] {
        CCliSession session;
        session.prefs->SetDefaults();
        for (const std::string& entry : args->hotKeys) {
            const auto [id, value] = ParseHotKeySetting(entry);
            session.prefs->SetHotKey(id, value);
        }
        if (!args->force &&
            (IsUnreadableFile(session.files, args->file) || session.HoldsOtherData(args->file)))
            throw std::runtime_error(args->file +
                                     " is not a data file; give --force to replace it anyway");
        const std::vector<std::uint8_t> bytes = session.prefs->StoreToBytes(args->file);
        RunNamingFile(FileUse::kWrite, args->file, [&] {
            if (const auto code = session.files.WriteFile(args->file, bytes))
                throw CSystemError(code, args->file);
            return std::string();
        });
        // A hot key the data file has no place for (Contrast) goes to the side file.
        if (const CSideSettings& side = session.prefs->Side(); !side.IsEmpty()) {
            const std::string path = CSideSettings::PathFor(args->file);
            const std::string text = side.ToText();
            RunNamingFile(FileUse::kWrite, path, [&] {
                const auto* begin = reinterpret_cast<const std::uint8_t*>(text.data());
                if (const auto code = session.files.WriteFile(path, {begin, text.size()}))
                    throw CSystemError(code, path);
                return std::string();
            });
        }
    });

    CLI::App* check = settings->add_subcommand(
        "check", "Print ok when the program can read a data file, else the reason");
    check->add_option("FILE", args->file, "the data file")->required();
    check->callback([args, &output] {
        CCliSession session;
        output = RunNamingFile(FileUse::kRead, args->file, [&] {
            session.Read(args->file);
            return std::string("ok\n");
        });
    });
}

}  // namespace nl::cli
