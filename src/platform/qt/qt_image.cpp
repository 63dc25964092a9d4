#include "platform/qt/qt_image.h"

#include <algorithm>
#include <memory>
#include <new>

namespace nl {

BitmapImage ToBitmapImage(const QImage& image) {
    if (image.isNull()) return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    BitmapImage out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
        std::copy(row, row + out.width,
                  out.pixels.begin() + static_cast<std::ptrdiff_t>(y) * out.width);
    }
    return out;
}

QImage ToQImage(const BitmapImage& image) {
    if (image.IsEmpty() ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height)
        return {};
    QImage out(image.width, image.height, QImage::Format_RGB32);
    if (out.isNull()) return {};
    for (int y = 0; y < image.height; ++y) {
        const auto first = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
        std::copy(first, first + image.width, reinterpret_cast<std::uint32_t*>(out.scanLine(y)));
    }
    return out;
}

QImage SharedPixelsImage(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    std::unique_ptr<PixelVector> pixels;
    try {
        pixels = std::make_unique<PixelVector>(static_cast<std::size_t>(width) *
                                               static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        return {};
    }
    // The image frees the vector when its last copy goes.
    PixelVector* owned = pixels.release();
    return QImage(
        reinterpret_cast<uchar*>(owned->data()), width, height,
        static_cast<qsizetype>(width) * static_cast<qsizetype>(sizeof(std::uint32_t)),
        QImage::Format_RGB32, [](void* p) { delete static_cast<PixelVector*>(p); }, owned);
}

}  // namespace nl
