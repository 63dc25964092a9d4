#include "framework/qt/export_image.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QImageWriter>
#include <QMetaObject>
#include <array>
#include <thread>

#include "base/CSystemError.h"
#include "platform/IDialogs.h"
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

int StatusOfFileError(QFileDevice::FileError error) {
    return error == QFileDevice::PermissionsError ? kStatusAccessDenied : kStatusGenericError;
}

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
int Encode(const QImage& picture, const QByteArray& format, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return StatusOfFileError(file.error());
    }
    QImageWriter writer(&file, format);
    if (writer.write(picture)) return kStatusOk;
    const int status = StatusOfWriterError(writer.error());
    file.close();
    file.remove();
    return status;
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

int WriteImageFile(const ImageEncoder& encoder, const std::string& path, const BitmapImage& image) {
    const QImage picture = ToQImage(image);
    if (picture.isNull()) return kStatusInvalidParameter;
    const QByteArray format = QByteArray::fromStdString(encoder.format);
    const QString file = QString::fromStdString(path);
    if (!QCoreApplication::instance()) return Encode(picture, format, file);

    // The loop keeps painting while the worker encodes; it ends when the worker is done.
    QEventLoop loop;
    int status = kStatusGenericError;
    std::thread worker([&] {
        status = Encode(picture, format, file);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    return status;
}

void ExportImageDialog(const BitmapImage& image, IDialogs& dialogs) {
    if (image.IsEmpty()) return;
    const std::vector<ImageEncoder> encoders = SystemImageEncoders();
    if (encoders.empty()) throw CSystemError(kErrorNotSupported);
    const EncoderFilter filter = BuildEncoderFilter(encoders);
    FileDialogRequest request;
    request.filter = filter.filter;
    request.defaultExtension = filter.defaultExtension;
    const std::optional<std::string> path = dialogs.SaveFileDialog(request);
    if (!path) return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::uint32_t error = SaveCapturedImage(image, *path, encoders, WriteImageFile);
    QApplication::restoreOverrideCursor();
    if (error != kErrorSuccess) throw CSystemError(error);
}

}  // namespace nl
