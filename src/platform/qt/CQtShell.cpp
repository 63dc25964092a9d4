#include "platform/qt/CQtShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include "base/CSystemError.h"

namespace nl {

namespace {

QString ToQString(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

std::uint32_t CQtShell::OpenFile(const std::string& path) {
    const QFileInfo info(ToQString(path));
    if (path.empty() || !info.exists()) return kErrorFileNotFound;
    if (!info.isReadable()) return kErrorAccessDenied;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()))
               ? kErrorSuccess
               : kErrorNotSupported;
}

std::uint32_t CQtShell::OpenUrl(const std::string& url) {
    const QUrl u(ToQString(url), QUrl::StrictMode);
    if (!u.isValid() || u.scheme().isEmpty()) return kErrorInvalidParameter;
    if (u.isLocalFile() && !QFileInfo::exists(u.toLocalFile())) return kErrorFileNotFound;
    return QDesktopServices::openUrl(u) ? kErrorSuccess : kErrorNotSupported;
}

std::uint32_t CQtShell::StartDetached(const std::string& program,
                                      const std::vector<std::string>& arguments) {
    const QString name = ToQString(program);
    // A bare name is looked up on the PATH, as the system's process start does.
    const QString path = name.contains(u'/') ? name : QStandardPaths::findExecutable(name);
    const QFileInfo info(path);
    if (program.empty() || path.isEmpty() || !info.exists()) return kErrorFileNotFound;
    if (info.isDir() || !info.isExecutable()) return kErrorAccessDenied;
    QStringList args;
    for (const auto& a : arguments) args << ToQString(a);
    return QProcess::startDetached(info.absoluteFilePath(), args) ? kErrorSuccess
                                                                  : kErrorAccessDenied;
}

}  // namespace nl
