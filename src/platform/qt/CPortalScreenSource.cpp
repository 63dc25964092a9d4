#include "platform/qt/CPortalScreenSource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <filesystem>
#include <system_error>

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

// A duration as the messages give it: "3", "0.5".
std::string Seconds(int ms) {
    return QString::number(ms / 1000.0, 'g', 3).toStdString();
}

bool IsKdeSession() {
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':');
    return desktops.contains(QStringLiteral("KDE"), Qt::CaseInsensitive);
}

// What the user can do about a screenshot the desktop would not give: the desktop asks once
// and keeps the answer in its permission store (table "screenshot", entry "screenshot", one
// answer per application id; unsandboxed programs it knows by no id share the answer of the
// empty id).
std::string PermissionAdvice() {
    const std::string appId = QGuiApplication::desktopFileName().toStdString();
    std::string text =
        " To let NerimLens read the screen, allow it to take screenshots in the desktop's "
        "privacy settings, or make the desktop ask again by forgetting its stored answer: ";
    if (!appId.empty())
        text += "flatpak permission-reset " + appId + " (every answer kept for NerimLens) or ";
    text +=
        "flatpak permission-remove screenshot screenshot (the screenshot answers of all "
        "programs, also of those the desktop knows by no application id, as it may know "
        "NerimLens).";
    return text;
}

std::string RefusalMessage(const PortalResponse& response, const PortalTimeouts& timeouts) {
    switch (response.outcome) {
        case PortalOutcome::kCancelled:
            return "The desktop cancelled the screenshot NerimLens asked for (its screenshot "
                   "dialog was closed, or it cancels without asking), so there is no picture to "
                   "pick from. Try again and take the screenshot in the desktop's "
                   "dialog." +
                   PermissionAdvice();
        case PortalOutcome::kRefused:
            return "The desktop refused the screenshot NerimLens asked for: it keeps an earlier "
                   "\"Deny\" answer, or its screenshot service failed." +
                   PermissionAdvice();
        case PortalOutcome::kNoPortal:
            return "The screen cannot be read: this session has no screenshot portal "
                   "(xdg-desktop-portal with a backend for this desktop).";
        case PortalOutcome::kNoReply:
            return "The desktop's screenshot portal did not answer: it gave no reply to the "
                   "request within " +
                   Seconds(timeouts.patienceMs) +
                   " seconds, so it does not run properly in this session. Restart it "
                   "(systemctl --user restart xdg-desktop-portal) or log in again, then try "
                   "again.";
        default:
            if (response.accepted)
                return "The desktop's screenshot portal took the request but gave no screenshot "
                       "within " +
                       Seconds(timeouts.limitMs) +
                       " seconds, and the request was withdrawn. Try again, and "
                       "answer the desktop's dialog if it shows one.";
            return "The desktop's screenshot portal did not answer: " +
                   response.error.toStdString();
    }
}

// File times may be kept to the second (or two, on some file systems) and the clock read
// for the request may run ahead of the one that stamps the file.
constexpr qint64 kFileTimeSlackMs = 2000;

}  // namespace

CPortalScreenSource::CPortalScreenSource(QDBusConnection bus, PortalTimeouts timeouts)
    : m_bus(std::move(bus)), m_timeouts(timeouts) {}

bool CPortalScreenSource::IsWrittenForRequest(const QString& path, const QDateTime& asked) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile()) return false;
    return info.lastModified().msecsTo(asked) <= kFileTimeSlackMs;
}

void CPortalScreenSource::Tell(ScreenRequestEvent event) const {
    if (m_listener) m_listener(event);
}

PortalResponse CPortalScreenSource::Ask() {
    PortalResponse response;
    for (const bool interactive : {false, true}) {
        CPortalCall call(m_bus, m_timeouts);
        response = call.Run(kScreenshotInterface, QStringLiteral("Screenshot"), {QString()},
                            {{QStringLiteral("interactive"), interactive}},
                            [this] { Tell(ScreenRequestEvent::kWaiting); });
        // Only a desktop that refused the silent screenshot is asked again with its dialog.
        if (response.outcome != PortalOutcome::kRefused) break;
    }
    return response;
}

PortalResponse CPortalScreenSource::AskWithPicturesFolder(const PortalResponse& cancelled,
                                                          std::string* error) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || QFileInfo(folder).isDir() || !IsKdeSession()) return cancelled;
    const std::string path = QDir::toNativeSeparators(folder).toStdString();
    std::error_code failure;
    std::filesystem::create_directories(folder.toStdString(), failure);
    if (failure || !QFileInfo(folder).isDir()) {
        if (error)
            *error = "KDE's screenshot portal saves each screenshot in the Pictures folder, " +
                     path +
                     ", and cancels when that folder is missing; NerimLens could not "
                     "create it (" +
                     (failure ? failure.message() : "not a folder") +
                     "). Create that folder, or set XDG_PICTURES_DIR in "
                     "~/.config/user-dirs.dirs to a folder that exists, then try again.";
        return cancelled;
    }
    PortalResponse response = Ask();
    if (response.outcome == PortalOutcome::kSuccess) return response;
    // The folder did not help: the user's home is left as it was (removes only an empty one).
    QDir().rmdir(folder);
    if (error && response.outcome == PortalOutcome::kCancelled)
        *error =
            "KDE's screenshot portal cancelled the screenshot again after NerimLens created "
            "the missing Pictures folder it saves screenshots in (" +
            path + "), so the folder was not the cause. " + RefusalMessage(response, m_timeouts);
    else if (error)
        *error = RefusalMessage(response, m_timeouts);
    return response;
}

bool CPortalScreenSource::Capture(ScreenFrame& frame, std::string* error) {
    // The wait runs the event loop: a second capture asked meanwhile is refused.
    if (m_busy) {
        if (error) *error = "NerimLens is already waiting for the desktop's screenshot portal.";
        return false;
    }
    m_busy = true;
    Tell(ScreenRequestEvent::kAsking);
    const struct Ended {
        CPortalScreenSource& source;
        ~Ended() {
            source.m_busy = false;
            source.Tell(ScreenRequestEvent::kEnded);
        }
    } ended{*this};

    const QDateTime asked = QDateTime::currentDateTimeUtc();
    PortalResponse response = Ask();
    std::string failure;
    if (response.outcome == PortalOutcome::kCancelled)
        response = AskWithPicturesFolder(response, &failure);
    if (response.outcome != PortalOutcome::kSuccess) {
        if (error) *error = failure.empty() ? RefusalMessage(response, m_timeouts) : failure;
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
