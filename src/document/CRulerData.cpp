#include "document/CRulerData.h"

#include <algorithm>
#include <string_view>

#include "base/CArchive.h"
#include "res/version.h"

namespace nl {
namespace {

constexpr std::string_view kMagic = "NCru";
constexpr int kReservedU64s = 4;
constexpr int kReservedStrings = 4;

}  // namespace

int CRulerData::ClampScale(int percent) {
    return std::clamp(percent, kMinScale, kMaxScale);
}

void CRulerData::Serialize(CArchive& ar) {
    // Loading goes through a copy so that a record that fails half-way changes nothing.
    CRulerData loaded = *this;
    CRulerData& d = ar.IsStoring() ? *this : loaded;
    ar.Magic(kMagic);
    ar.Version(kFormatVersion);
    std::uint32_t programVersion = kProductVersion;
    ar.Io(programVersion);
    ar.Reserved(kReservedU64s, kReservedStrings);
    ar.Io(d.m_captionItems);
    ar.Io(d.m_options);
    ar.Io(d.m_base);
    ar.Io(d.m_scale);
    ar.Io(d.m_autoPreview);
    ar.Reserved(kReservedU64s, kReservedStrings);
    if (ar.IsLoading()) {
        // The factor divides lengths when the ruler draws: a stored 0 or negative value, or
        // one beyond what the zoom commands allow, is brought into their range.
        loaded.m_scale = ClampScale(loaded.m_scale);
        *this = loaded;
    }
}

}  // namespace nl
