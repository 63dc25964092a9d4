#include "platform/local/PosixSystemInfo.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <vector>

namespace nl {

namespace {

constexpr std::size_t kPasswdBufferSize = 16384;
// Longer than any host name the system allows.
constexpr std::size_t kHostNameSize = 256;

}  // namespace

bool PosixSystemInfo::UserName(std::string& out) const {
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

bool PosixSystemInfo::ComputerName(std::string& out) const {
    std::array<char, kHostNameSize> name{};
    if (gethostname(name.data(), name.size() - 1) != 0 || name[0] == '\0') return false;
    out = name.data();
    return true;
}

}  // namespace nl
