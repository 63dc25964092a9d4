// One full-screen capture of a Wayland session written as binary PPM to standard output: the
// same work as `grim -t ppm -` (connect, copy every monitor, convert, write), for
// bench/wayland_capture.sh to time against it.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/wayland/CWaylandDesktop.h"

namespace {

constexpr int kBytesPerPpmPixel = 3;

}  // namespace

int main() {
    std::string error;
    const auto desktop = nl::CWaylandDesktop::Open(nullptr, &error);
    if (!desktop) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const nl::Rect screen = desktop->VirtualScreen();
    const auto width = static_cast<std::size_t>(screen.Width());
    const auto height = static_cast<std::size_t>(screen.Height());
    // Lent straight from the capture's shared memory where one monitor holds the screen.
    std::vector<nl::GrabPixel> copy;
    const nl::GrabPixel* pixels = nullptr;
    std::size_t stride = width;
    if (const auto lent = desktop->GrabLent(screen)) {
        pixels = lent->pixels;
        stride = lent->stride;
    } else {
        copy.resize(width * height);
        if (!desktop->Grab(screen, copy.data(), width)) {
            std::fprintf(stderr, "%s\n", desktop->LastError().c_str());
            return 1;
        }
        pixels = copy.data();
    }
    std::string out = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    const std::size_t header = out.size();
    out.resize(header + width * height * kBytesPerPpmPixel);
    char* to = out.data() + header;
    for (std::size_t y = 0; y < height; ++y) {
        const nl::GrabPixel* row = pixels + y * stride;
        for (std::size_t x = 0; x < width; ++x) {
            *to++ = static_cast<char>((row[x] >> 16) & 0xFF);
            *to++ = static_cast<char>((row[x] >> 8) & 0xFF);
            *to++ = static_cast<char>(row[x] & 0xFF);
        }
    }
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() ? 0 : 1;
}
