#pragma once
#include <CLI/CLI.hpp>
#include <string>

namespace nl::cli {

// Adds the commands that read the live screen:
//   pick X Y | pick --cursor [--format N | --json]: the pixel's color, position, window title
//     and class, as a pick samples them;
//   capture SHAPE ... OUT [--cursor] [--fill COLOR] [--delay MS]: the Screen Copier's shapes
//     (rect, ellipse, polygon, window, monitor, desktop) copied into an image file;
//   magnify X Y [--zoom PERCENT] [--size WxH] OUT: what the zoom control shows there.
// Text results go to `output`; images are written by the command itself.
void RegisterScreenCommands(CLI::App& app, std::string& output);

}  // namespace nl::cli
