#pragma once
#include <string>
#include <vector>

#include "base/bitmap_file.h"
#include "framework/captured_image.h"

namespace nl {

class IDialogs;

// The image formats this system can write, in the order the save dialog lists them before
// the bitmap format moves last.
std::vector<ImageEncoder> SystemImageEncoders();

// Writes `image` to `path` in the format of `encoder`; returns the encoder's status (0 when
// written). The encoding runs on a worker thread while the user interface goes on painting.
int WriteImageFile(const ImageEncoder& encoder, const std::string& path, const BitmapImage& image);

// Export Image: asks for a file (the overwrite question included, the recent-file list left
// alone) and writes `image` there in the format its extension names. Cancel ends it
// silently; a failure is raised as a CSystemError with the system error code.
void ExportImageDialog(const BitmapImage& image, IDialogs& dialogs);

}  // namespace nl
