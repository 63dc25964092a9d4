#pragma once
#include <map>
#include <string>

#include "platform/IFolders.h"

namespace nl {

// Folders and environment set by the test. The defaults are paths under "/fake", which no
// test writes to on the disk: they are meant for the in-memory FakeFileSystem.
class FakeFolders final : public IFolders {
public:
    std::string UserAppData() const override { return userAppData; }
    std::string CommonAppData() const override { return commonAppData; }
    std::string Documents() const override { return documents; }
    std::string Autostart() const override { return autostart; }
    std::string ExecutablePath() const override { return executablePath; }
    std::optional<std::string> Environment(std::string_view name) const override {
        const auto it = environment.find(std::string(name));
        if (it == environment.end()) return std::nullopt;
        return it->second;
    }

    std::string userAppData = "/fake/home/.local/share";
    std::string commonAppData = "/fake/usr/share";
    std::string documents = "/fake/home/Documents";
    std::string autostart = "/fake/home/.config/autostart";
    std::string executablePath = "/fake/opt/nerimlens/nerimlens";
    std::map<std::string, std::string> environment;
};

}  // namespace nl
