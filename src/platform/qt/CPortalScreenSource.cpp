#include "platform/qt/CPortalScreenSource.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QUrl>

#include "platform/qt/CPortalCall.h"

namespace nl {

namespace {

constexpr const char* kScreenshotInterface = "org.freedesktop.portal.Screenshot";
constexpr GrabPixel kOpaque = 0xFF000000u;

// The virtual screen's top-left corner in device pixels: the portal's picture starts there.
Point VirtualOrigin() {
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen) return {0, 0};
    const QRect area = screen->virtualGeometry();
    const qreal ratio = screen->devicePixelRatio();
    return {static_cast<int>(area.x() * ratio), static_cast<int>(area.y() * ratio)};
}

std::string RefusalMessage(const PortalResponse& response) {
    switch (response.outcome) {
        case PortalOutcome::kCancelled:
            return "The screenshot was cancelled: the desktop did not allow NerimLens to read "
                   "the screen.";
        case PortalOutcome::kRefused:
            return "The desktop refused to take a screenshot for NerimLens.";
        case PortalOutcome::kNoPortal:
            return "The screen cannot be read: this session has no screenshot portal "
                   "(xdg-desktop-portal with a backend for this desktop).";
        default:
            return "The desktop's screenshot portal did not answer: " +
                   response.error.toStdString();
    }
}

// File times may be kept to the second (or two, on some file systems) and the clock read
// for the request may run ahead of the one that stamps the file.
constexpr qint64 kFileTimeSlackMs = 2000;

}  // namespace

CPortalScreenSource::CPortalScreenSource(QDBusConnection bus) : m_bus(std::move(bus)) {}

bool CPortalScreenSource::IsWrittenForRequest(const QString& path, const QDateTime& asked) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile()) return false;
    return info.lastModified().msecsTo(asked) <= kFileTimeSlackMs;
}

bool CPortalScreenSource::Capture(ScreenFrame& frame, std::string* error) {
    PortalResponse response;
    const QDateTime asked = QDateTime::currentDateTimeUtc();
    for (const bool interactive : {false, true}) {
        CPortalCall call(m_bus);
        response = call.Run(kScreenshotInterface, QStringLiteral("Screenshot"), {QString()},
                            {{QStringLiteral("interactive"), interactive}});
        // Only a desktop that refused the silent screenshot is asked again with its dialog.
        if (response.outcome != PortalOutcome::kRefused) break;
    }
    if (response.outcome != PortalOutcome::kSuccess) {
        if (error) *error = RefusalMessage(response);
        return false;
    }
    const QUrl uri(response.results.value(QStringLiteral("uri")).toString());
    const QString path = uri.toLocalFile();
    QImage image(path);
    if (IsWrittenForRequest(path, asked)) QFile::remove(path);
    if (image.isNull()) {
        if (error)
            *error = "The desktop's screenshot could not be read (" + uri.toString().toStdString() +
                     ").";
        return false;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    const Point origin = VirtualOrigin();
    frame.area = {origin.x, origin.y, origin.x + image.width(), origin.y + image.height()};
    frame.pixels.resize(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            frame.pixels[static_cast<std::size_t>(y) * image.width() + x] =
                static_cast<GrabPixel>(row[x] | kOpaque);
    }
    return true;
}

}  // namespace nl
