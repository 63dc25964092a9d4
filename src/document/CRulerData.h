#pragma once
#include <cstdint>

namespace nl {

class CArchive;

// The on-screen ruler's settings that survive a restart: its caption readouts, its option
// bits (unit, orientation, graduation side, guide mark), its graduation base, its scaling
// factor and the custom zoom dialog's Auto-Preview choice. The window's place is kept in a
// window-state record instead.
class CRulerData {
public:
    // Caption items: the readouts the ruler's caption shows.
    static constexpr std::uint32_t kCaptionUnit = 0x001;
    static constexpr std::uint32_t kCaptionScale = 0x002;
    static constexpr std::uint32_t kCaptionRulerPosition = 0x010;
    static constexpr std::uint32_t kCaptionCursorPosition = 0x100;
    static constexpr std::uint32_t kCaptionCursorProjection = 0x200;
    static constexpr std::uint32_t kCaptionCursorDistance = 0x400;
    static constexpr std::uint32_t kCaptionCursorAngle = 0x800;

    // Option bits (the low 16 bits of the ruler window's style). Exactly one unit bit is set.
    static constexpr std::uint32_t kOptionUnitPixel = 0x0001;
    static constexpr std::uint32_t kOptionUnitPica = 0x0002;
    static constexpr std::uint32_t kOptionUnitPoint = 0x0004;
    static constexpr std::uint32_t kOptionUnitTwip = 0x0008;
    static constexpr std::uint32_t kOptionUnitCentimeter = 0x0010;
    static constexpr std::uint32_t kOptionUnitInch = 0x0020;
    static constexpr std::uint32_t kOptionUnitDialogBase = 0x0040;
    static constexpr std::uint32_t kOptionUnitDialog = 0x0080;
    static constexpr std::uint32_t kOptionUnitMask = 0x00FF;
    static constexpr std::uint32_t kOptionVertical = 0x0200;
    static constexpr std::uint32_t kOptionInverted = 0x1000;  // graduations on the other side
    static constexpr std::uint32_t kOptionGuide = 0x4000;     // the cursor projection mark
    static constexpr std::uint32_t kOptionMask = 0xFFFF;

    static constexpr int kBaseDecimal = 10;
    static constexpr int kBaseBinary = 2;

    // The scaling factor in percent; 100 is true size.
    static constexpr int kMinScale = 50;
    static constexpr int kMaxScale = 1000;
    static constexpr int kTrueScale = 100;

    static constexpr std::uint32_t kDefaultCaptionItems =
        kCaptionUnit | kCaptionScale | kCaptionCursorProjection;
    static constexpr std::uint32_t kDefaultOptions = kOptionUnitPixel | kOptionGuide;

    static constexpr std::uint32_t kFormatVersion = 0x00010000;

    CRulerData() = default;

    std::uint32_t CaptionItems() const { return m_captionItems; }
    void SetCaptionItems(std::uint32_t items) { m_captionItems = items; }
    std::uint32_t Options() const { return m_options; }
    void SetOptions(std::uint32_t options) { m_options = options; }
    int GraduationBase() const { return m_base; }
    void SetGraduationBase(int base) { m_base = base; }
    // Always within kMinScale..kMaxScale: the factor divides lengths.
    int ScalingFactor() const { return m_scale; }
    void SetScalingFactor(int percent) { m_scale = ClampScale(percent); }
    bool AutoPreview() const { return m_autoPreview != 0; }
    void SetAutoPreview(bool on) { m_autoPreview = on ? 1 : 0; }

    static int ClampScale(int percent);

    // Writes the record, or reads it: a wrong magic or a newer format is refused with the
    // bad-format error, a short record with the end-of-file error, and in both cases the
    // object keeps its values. A loaded scaling factor is brought into range.
    void Serialize(CArchive& ar);

    friend bool operator==(const CRulerData&, const CRulerData&) = default;

private:
    std::uint32_t m_captionItems = kDefaultCaptionItems;
    std::uint32_t m_options = kDefaultOptions;
    std::int32_t m_base = kBaseDecimal;
    std::int32_t m_scale = kTrueScale;
    std::int32_t m_autoPreview = 1;  // stored as an integer, kept as read
};

}  // namespace nl
