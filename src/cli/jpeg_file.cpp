#include "cli/jpeg_file.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

// libjpeg's header uses FILE without including <stdio.h> itself.
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace nl::cli {
namespace {

// The quality most image editors and Qt's writer use when none is asked for.
constexpr int kQuality = 75;

// libjpeg reports a fatal error through this handler, which jumps back to the encoder
// instead of ending the process.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->back, 1);
}

// Everything the encoder holds that must be released on both ways out: libjpeg's state, the
// output buffer it allocates with malloc and the row being converted. Kept apart from the
// function that calls setjmp, so that no object with a destructor lives across the jump.
struct Encoder {
    jpeg_compress_struct info{};
    ErrorManager error{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<JSAMPLE> row;
    ~Encoder() {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
};

// Runs libjpeg over `rows`; false with the library's message in `encoder.error` on failure.
bool Compress(Encoder& encoder, const PixelRows& rows) {
    jpeg_compress_struct& info = encoder.info;
    info.err = jpeg_std_error(&encoder.error.base);
    encoder.error.base.error_exit = OnError;
    if (setjmp(encoder.error.back)) return false;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &encoder.buffer, &encoder.size);
    info.image_width = static_cast<JDIMENSION>(rows.width);
    info.image_height = static_cast<JDIMENSION>(rows.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    JSAMPROW line = encoder.row.data();
    while (info.next_scanline < info.image_height) {
        const std::uint32_t* source = rows.first + info.next_scanline * rows.stride;
        for (int x = 0; x < rows.width; ++x) {
            encoder.row[3 * x] = static_cast<JSAMPLE>(source[x] >> 16);
            encoder.row[3 * x + 1] = static_cast<JSAMPLE>(source[x] >> 8);
            encoder.row[3 * x + 2] = static_cast<JSAMPLE>(source[x]);
        }
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpegFile(const PixelRows& rows) {
    if (rows.first == nullptr || rows.width <= 0 || rows.height <= 0)
        throw std::runtime_error("there is no image to write");
    Encoder encoder;
    encoder.row.resize(static_cast<std::size_t>(rows.width) * 3);
    if (!Compress(encoder, rows))
        throw std::runtime_error(std::string("the JPEG encoder failed: ") + encoder.error.message);
    return {encoder.buffer, encoder.buffer + encoder.size};
}

}  // namespace nl::cli
