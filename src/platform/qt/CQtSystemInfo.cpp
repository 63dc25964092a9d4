#include "platform/qt/CQtSystemInfo.h"

#include <pwd.h>
#include <unistd.h>

#include <QString>
#include <QSysInfo>
#include <vector>

namespace nl {

namespace {

constexpr std::size_t kPasswdBufferSize = 16384;

}  // namespace

bool CQtSystemInfo::UserName(std::string& out) const {
    // The account of the process, not an environment variable anyone can set.
    std::vector<char> buffer(kPasswdBufferSize);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_name || !*found->pw_name)
        return false;
    out = found->pw_name;
    return true;
}

bool CQtSystemInfo::ComputerName(std::string& out) const {
    const QString host = QSysInfo::machineHostName();
    if (host.isEmpty()) return false;
    out = host.toStdString();
    return true;
}

}  // namespace nl
