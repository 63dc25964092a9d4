#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nl {

// Hands files, addresses and programs to the desktop.
class IShell {
public:
    virtual ~IShell() = default;
    // Opens the file at the absolute path `path` with the user's default program for its
    // type; returns 0 or a system error code (kErrorFileNotFound for a missing file).
    virtual std::uint32_t OpenFile(const std::string& path) = 0;
    // Opens `url` (http, https, mailto, file, ...) with the user's default handler; returns 0
    // or a system error code.
    virtual std::uint32_t OpenUrl(const std::string& url) = 0;
    // Starts the program at `program` with `arguments`, without waiting for it and without
    // tying its life to this process; returns 0 or a system error code (kErrorFileNotFound
    // when there is no such program).
    virtual std::uint32_t StartDetached(const std::string& program,
                                        const std::vector<std::string>& arguments) = 0;
};

}  // namespace nl
