#pragma once
#include <string>
#include <vector>

#include "base/bitmap_file.h"
#include "capture/captured_image.h"

namespace nl {

class IDialogs;
class IFileSystem;

// The image formats this system can write, in the order the save dialog lists them before
// the bitmap format moves last.
std::vector<ImageEncoder> SystemImageEncoders();

// Encodes `image` in the format of `encoder` into `bytes`; returns the encoder's status (0
// when encoded). The encoding runs on a worker thread while the user interface goes on
// painting.
int EncodeImage(const ImageEncoder& encoder, const BitmapImage& image,
                std::vector<std::uint8_t>& bytes);

// Export Image: asks for a file (the overwrite question included, the recent-file list left
// alone) and writes `image` there in the format its extension names. Cancel ends it
// silently; a failure is raised as a CSystemError with the system error code. The file is
// written through `files` like every other save: replaced as a whole, links followed,
// read-only files and anything but a regular file refused untouched.
void ExportImageDialog(const BitmapImage& image, IDialogs& dialogs, IFileSystem& files);

}  // namespace nl
