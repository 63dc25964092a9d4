// Reads arbitrary bytes as every palette form Import Colors accepts. Each reader either
// refuses the bytes as a bad format or gives at most the colors the limit allows.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/CArchiveException.h"
#include "export/palette_import.h"
#include "fuzz/targets/fuzz_targets.h"
#include "model/CUnitsCol.h"

int nl::fuzz::Palette(const std::uint8_t* data, std::size_t size) {
    static const nl::CUnitsCol formats = [] {
        nl::CUnitsCol loaded;
        if (!loaded.LoadColorFormats()) std::abort();
        return loaded;
    }();
    const std::span<const std::uint8_t> bytes(data, size);
    for (const auto form : {nl::ImportForm::kGimp, nl::ImportForm::kCss, nl::ImportForm::kJson,
                            nl::ImportForm::kAse, nl::ImportForm::kText}) {
        try {
            const nl::ImportedColors got = nl::ReadPalette(form, bytes, "fuzz", &formats.GetAt(0));
            if (got.colors.size() > nl::kMaxImportColors) std::abort();
            for (const COLORREF color : got.colors)
                if (color > 0xFFFFFF) std::abort();
        } catch (const nl::CArchiveException&) {
        }
    }
    return 0;
}
