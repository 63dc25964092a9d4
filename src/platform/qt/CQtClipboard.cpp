#include "platform/qt/CQtClipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>
#include <span>

#include "base/CSystemError.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_image.h"

namespace nl {

namespace {

// The format under which Qt keeps a picture as an image object rather than as bytes.
constexpr const char* kQtImageFormat = "application/x-qt-image";

QClipboard* SystemClipboard() {
    return qGuiApp ? QGuiApplication::clipboard() : nullptr;
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

CQtClipboard::CQtClipboard(std::unique_ptr<ISelectionReader> reader)
    : m_reader(std::move(reader)) {}

CQtClipboard::~CQtClipboard() {
    QObject::disconnect(m_changed);
    m_reader.reset();  // no answer arrives after this
}

bool CQtClipboard::ReadsLocally() const {
    QClipboard* clipboard = SystemClipboard();
    return !m_reader || (clipboard && clipboard->ownsClipboard());
}

void CQtClipboard::Post(std::function<void()> call) {
    // Called on any thread: the generation is compared on the user-interface thread.
    QMetaObject::invokeMethod(
        &m_receiver, [this, call = std::move(call)] { call(); }, Qt::QueuedConnection);
}

void CQtClipboard::RequestFormatNames(NamesDone done) {
    const std::uint64_t generation = m_generation;
    const auto deliver = [this, generation, done](std::optional<std::vector<std::string>> names) {
        Post([this, generation, done, names = std::move(names)] {
            if (generation == m_generation) done(names);
        });
    };
    if (ReadsLocally())
        deliver(FormatNames());
    else
        m_reader->RequestFormatNames(deliver);
}

void CQtClipboard::RequestData(const std::string& name, std::size_t maxBytes, ReadDone done) {
    const std::uint64_t generation = m_generation;
    const auto deliver = [this, generation, done](ClipboardRead read) {
        // The posted call may be copied on its way; the data, which can be large, is not.
        auto shared = std::make_shared<ClipboardRead>(std::move(read));
        Post([this, generation, done, shared] {
            if (generation == m_generation) done(std::move(*shared));
        });
    };
    if (!ReadsLocally()) {
        m_reader->RequestData(name, maxBytes, deliver);
        return;
    }
    // Read when the answer is due, as the reader would; only the bytes asked for are copied.
    Post([this, generation, name, maxBytes, done] {
        if (generation != m_generation) return;
        const std::optional<QByteArray> bytes = LocalData(name);
        done(bytes ? CutRead(std::span(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                                       static_cast<std::size_t>(bytes->size())),
                             maxBytes)
                   : ClipboardRead{});
    });
}

void CQtClipboard::CancelRequests() {
    ++m_generation;
    if (m_reader) m_reader->Cancel();
}

std::uint32_t CQtClipboard::SetText(const std::string& text) {
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard) return kErrorClipboardNotOpen;
    clipboard->setText(ToQt(text));
    return kErrorSuccess;
}

std::optional<std::string> CQtClipboard::Text() const {
    QClipboard* clipboard = SystemClipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasText()) return std::nullopt;
    return data->text().toStdString();
}

std::uint32_t CQtClipboard::SetImage(const BitmapImage& image) {
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard) return kErrorClipboardNotOpen;
    const QImage picture = ToQImage(image);
    if (picture.isNull()) return kErrorInvalidParameter;
    clipboard->setImage(picture);
    return kErrorSuccess;
}

std::optional<BitmapImage> CQtClipboard::Image() const {
    QClipboard* clipboard = SystemClipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data) return std::nullopt;
    if (data->hasImage()) {
        BitmapImage image = ToBitmapImage(qvariant_cast<QImage>(data->imageData()));
        if (!image.IsEmpty()) return image;
    }
    // Pictures put on the clipboard as file bytes of an image type.
    for (const QString& name : data->formats()) {
        if (!name.startsWith(QLatin1String("image/"))) continue;
        BitmapImage image = ToBitmapImage(QImage::fromData(data->data(name)));
        if (!image.IsEmpty()) return image;
    }
    return std::nullopt;
}

std::uint32_t CQtClipboard::SetFormats(const std::vector<ClipboardFormat>& formats) {
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard) return kErrorClipboardNotOpen;
    auto* data = new QMimeData;
    for (const ClipboardFormat& format : formats)
        data->setData(ToQt(format.name),
                      QByteArray(reinterpret_cast<const char*>(format.bytes.data()),
                                 static_cast<qsizetype>(format.bytes.size())));
    clipboard->setMimeData(data);  // the clipboard owns the data from here on
    return kErrorSuccess;
}

std::vector<ClipboardFormat> CQtClipboard::Formats() const {
    std::vector<ClipboardFormat> out;
    for (std::string& name : FormatNames()) {
        std::vector<std::uint8_t> bytes = Data(name).value_or(std::vector<std::uint8_t>{});
        out.push_back({std::move(name), std::move(bytes)});
    }
    return out;
}

std::vector<std::string> CQtClipboard::FormatNames() const {
    QClipboard* clipboard = SystemClipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data) return {};
    std::vector<std::string> names;
    for (const QString& name : data->formats()) names.push_back(name.toStdString());
    return names;
}

std::optional<QByteArray> CQtClipboard::LocalData(const std::string& name) const {
    QClipboard* clipboard = SystemClipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    const QString format = ToQt(name);
    if (!data || !data->hasFormat(format)) return std::nullopt;
    QByteArray bytes = data->data(format);
    if (bytes.isEmpty() && format == QLatin1String(kQtImageFormat) && data->hasImage())
        bytes = PngBytes(qvariant_cast<QImage>(data->imageData()));
    return bytes;
}

std::optional<std::vector<std::uint8_t>> CQtClipboard::Data(const std::string& name) const {
    const std::optional<QByteArray> bytes = LocalData(name);
    if (!bytes) return std::nullopt;
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

std::uint32_t CQtClipboard::Clear() {
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard) return kErrorClipboardNotOpen;
    clipboard->clear();
    return kErrorSuccess;
}

void CQtClipboard::SetChangeListener(ChangeListener listener) {
    m_listener = std::move(listener);
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard || m_changed) return;
    m_changed = QObject::connect(clipboard, &QClipboard::dataChanged, clipboard, [this] {
        if (m_listener) m_listener();
    });
}

}  // namespace nl
