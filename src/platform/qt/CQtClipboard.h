#pragma once
#include <QMetaObject>

#include "platform/IClipboard.h"

namespace nl {

// The system clipboard through Qt (needs a QGuiApplication). Formats are MIME types; a
// picture Qt holds as an image object is listed with its PNG bytes.
class CQtClipboard final : public IClipboard {
public:
    CQtClipboard() = default;
    ~CQtClipboard() override;
    CQtClipboard(const CQtClipboard&) = delete;
    CQtClipboard& operator=(const CQtClipboard&) = delete;

    std::uint32_t SetText(const std::string& text) override;
    std::optional<std::string> Text() const override;
    std::uint32_t SetImage(const BitmapImage& image) override;
    std::optional<BitmapImage> Image() const override;
    std::uint32_t SetFormats(const std::vector<ClipboardFormat>& formats) override;
    std::vector<ClipboardFormat> Formats() const override;
    std::vector<std::string> FormatNames() const override;
    std::optional<std::vector<std::uint8_t>> Data(const std::string& name) const override;
    std::uint32_t Clear() override;
    void SetChangeListener(ChangeListener listener) override;

private:
    ChangeListener m_listener;
    QMetaObject::Connection m_changed;
};

}  // namespace nl
