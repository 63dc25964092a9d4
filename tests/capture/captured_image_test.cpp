// The captured image's fitted rectangle, the save dialog's encoder filter, the encoder lookup
// by extension and the encoder status table.
#include "capture/captured_image.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "base/CSystemError.h"

namespace nl {
namespace {

TEST(CapturedImageTest, FitRectKeepsTheAspectAndCentres) {
    struct Case {
        Size image;
        Size client;
        Rect want;
    };
    const Case cases[] = {
        {{100, 50}, {400, 400}, {0, 100, 400, 300}},  // enlarged, centred vertically
        {{50, 100}, {400, 400}, {100, 0, 300, 400}}, {{1000, 1000}, {300, 200}, {50, 0, 250, 200}},
        {{640, 480}, {400, 300}, {0, 0, 400, 300}},  // same aspect
        {{3, 1}, {100, 101}, {0, 34, 100, 67}},      // 33.3 rounds to 33, half of 68 is 34
        {{1, 3}, {101, 100}, {34, 0, 67, 100}},      {{0, 5}, {100, 100}, {0, 0, 100, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.image.cx << "x" << c.image.cy);
        EXPECT_EQ(FitImageRect(c.image, c.client), c.want);
    }
}

const std::vector<ImageEncoder> kEncoders{
    {"BMP", "*.BMP;*.DIB;*.RLE", "bmp"},
    {"JPEG", "*.JPG;*.JPEG;*.JPE;*.JFIF", "jpeg"},
    {"PNG", "*.PNG", "png"},
};

TEST(CapturedImageTest, FilterMovesBmpLastAndTakesTheDefaultExtensionFromTheFirst) {
    struct Case {
        const char* name;
        std::vector<ImageEncoder> encoders;
        EncoderFilter want;
    };
    const Case cases[] = {
        {"bmp first",
         kEncoders,
         {"JPEG|*.jpg;*.jpeg;*.jpe;*.jfif|PNG|*.png|BMP|*.bmp;*.dib;*.rle||", "jpg"}},
        {"bmp already last",
         {kEncoders[2], kEncoders[0]},
         {"PNG|*.png|BMP|*.bmp;*.dib;*.rle||", "png"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BuildEncoderFilter(c.encoders), c.want);
    }
}

TEST(CapturedImageTest, SaveFindsTheEncoderByExtensionInAnyCase) {
    struct Case {
        const char* path;
        int status;  // what the encoder reports
        std::uint32_t error;
        const char* format;  // the encoder that wrote, or none
    };
    const Case cases[] = {
        {"/tmp/shot.PNG", 0, 0, "png"},
        {"/tmp/a.b/shot.Dib", 0, 0, "bmp"},
        {"/tmp/locked.png", 12, kErrorAccessDenied, "png"},
        {"/tmp/shot.gif", 0, kErrorNotSupported, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::vector<std::string> written;
        const auto write = [&](const ImageEncoder& e, const std::string&, const BitmapImage&) {
            written.push_back(e.format);
            return c.status;
        };
        EXPECT_EQ(SaveCapturedImage(BitmapImage{1, 1, {0xFF000000}}, c.path, kEncoders, write),
                  c.error);
        EXPECT_EQ(written,
                  c.format ? std::vector<std::string>{c.format} : std::vector<std::string>{});
    }
    EXPECT_EQ(SaveCapturedImage({}, "/tmp/x.png", {}, [](auto&&...) { return 0; }),
              kErrorNotSupported);
}

TEST(CapturedImageTest, EncoderStatusMapsToSystemErrors) {
    const std::uint32_t errors[] = {0,   1287, 87,    14,    170,   122, 50, 1,    12,   1235, 2,
                                    111, 5,    15018, 15018, 15018, 13,  50, 1114, 1170, 50};
    for (int status = 0; status < static_cast<int>(std::size(errors)); ++status)
        EXPECT_EQ(EncoderStatusError(status), errors[status]) << status;
    EXPECT_EQ(EncoderStatusError(21), 626u);
    EXPECT_EQ(EncoderStatusError(-1), 626u);
    // Every error an encoder status raises has a text of its own.
    for (int status = -1; status <= 30; ++status) {
        const std::string text = SystemErrorText(EncoderStatusError(status));
        EXPECT_FALSE(text.starts_with("Unknown error")) << status << ": " << text;
    }
}

}  // namespace
}  // namespace nl
