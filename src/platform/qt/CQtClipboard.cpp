#include "platform/qt/CQtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "base/CSystemError.h"

namespace nl {

std::uint32_t CQtClipboard::SetText(const std::string& text) {
    if (!qGuiApp) return kErrorClipboardNotOpen;
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return kErrorSuccess;
}

std::optional<std::string> CQtClipboard::Text() const {
    if (!qGuiApp) return std::nullopt;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return std::nullopt;
    return data->text().toStdString();
}

}  // namespace nl
