#include "capture/qt/export_image.h"

#include <QApplication>
#include <QBuffer>
#include <QEventLoop>
#include <QImageWriter>
#include <QMetaObject>
#include <array>
#include <thread>

#include "base/CSystemError.h"
#include "platform/IDialogs.h"
#include "platform/IFileSystem.h"
#include "platform/qt/qt_image.h"

namespace nl {
namespace {

// Encoder statuses the writer reports.
enum EncoderStatus : int {
    kStatusOk = 0,
    kStatusGenericError = 1,
    kStatusInvalidParameter = 2,
    kStatusNotImplemented = 6,
    kStatusAccessDenied = 12,
};

// The formats offered, each with the writer's format name; only those the writer knows
// are listed.
struct KnownEncoder {
    const char* description;
    const char* extensions;
    const char* format;
};
constexpr std::array kKnownEncoders = {
    KnownEncoder{"BMP", "*.BMP;*.DIB;*.RLE", "bmp"},
    KnownEncoder{"JPEG", "*.JPG;*.JPEG;*.JPE;*.JFIF", "jpeg"},
    KnownEncoder{"GIF", "*.GIF", "gif"},
    KnownEncoder{"TIFF", "*.TIF;*.TIFF", "tiff"},
    KnownEncoder{"PNG", "*.PNG", "png"},
    KnownEncoder{"WEBP", "*.WEBP", "webp"},
};

int StatusOfWriterError(QImageWriter::ImageWriterError error) {
    switch (error) {
        case QImageWriter::UnsupportedFormatError:
            return kStatusNotImplemented;
        case QImageWriter::InvalidImageError:
            return kStatusInvalidParameter;
        default:
            return kStatusGenericError;
    }
}

// Encodes on the calling thread.
int Encode(const QImage& picture, const QByteArray& format, QByteArray& out) {
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    return writer.write(picture) ? kStatusOk : StatusOfWriterError(writer.error());
}

}  // namespace

std::vector<ImageEncoder> SystemImageEncoders() {
    const QList<QByteArray> supported = QImageWriter::supportedImageFormats();
    std::vector<ImageEncoder> encoders;
    for (const KnownEncoder& known : kKnownEncoders) {
        if (supported.contains(QByteArray(known.format))) {
            encoders.push_back({known.description, known.extensions, known.format});
        }
    }
    return encoders;
}

int EncodeImage(const ImageEncoder& encoder, const BitmapImage& image,
                std::vector<std::uint8_t>& bytes) {
    const QImage picture = ToQImage(image);
    if (picture.isNull()) return kStatusInvalidParameter;
    const QByteArray format = QByteArray::fromStdString(encoder.format);
    QByteArray encoded;
    int status = kStatusGenericError;
    if (!QCoreApplication::instance()) {
        status = Encode(picture, format, encoded);
    } else {
        // The loop keeps painting while the worker encodes; it ends when the worker is done.
        QEventLoop loop;
        std::thread worker([&] {
            status = Encode(picture, format, encoded);
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        worker.join();
    }
    if (status == kStatusOk) bytes.assign(encoded.begin(), encoded.end());
    return status;
}

void ExportImageDialog(const BitmapImage& image, IDialogs& dialogs, IFileSystem& files) {
    if (image.IsEmpty()) return;
    const std::vector<ImageEncoder> encoders = SystemImageEncoders();
    if (encoders.empty()) throw CSystemError(kErrorNotSupported);
    const EncoderFilter filter = BuildEncoderFilter(encoders);
    FileDialogRequest request;
    request.filter = filter.filter;
    request.defaultExtension = filter.defaultExtension;
    const std::optional<std::string> path = dialogs.SaveFileDialog(request);
    if (!path) return;

    // The file is written only once the picture is encoded, and replaced as a whole, so a
    // failed export leaves an existing file as it was.
    std::vector<std::uint8_t> bytes;
    const auto encode = [&bytes](const ImageEncoder& encoder, const std::string&,
                                 const BitmapImage& picture) {
        return EncodeImage(encoder, picture, bytes);
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::uint32_t error = SaveCapturedImage(image, *path, encoders, encode);
    if (error == kErrorSuccess) error = files.WriteFile(*path, bytes);
    QApplication::restoreOverrideCursor();
    if (error != kErrorSuccess) throw CSystemError(error, *path);
}

}  // namespace nl
