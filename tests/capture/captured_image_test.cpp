// The captured image's fitted rectangle, the save dialog's encoder filter, the encoder lookup
// by extension and the encoder status table.
#include "capture/captured_image.h"

#include <gtest/gtest.h>

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
        {"only bmp", {kEncoders[0]}, {"BMP|*.bmp;*.dib;*.rle||", "bmp"}},
        {"none", {}, {"|", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BuildEncoderFilter(c.encoders), c.want);
    }
}

TEST(CapturedImageTest, SaveFindsTheEncoderByExtensionInAnyCase) {
    struct Case {
        const char* path;
        std::uint32_t error;
        const char* format;  // the encoder that wrote, or none
    };
    const Case cases[] = {
        {"/tmp/shot.PNG", 0, "png"},
        {"/tmp/shot.jpeg", 0, "jpeg"},
        {"/tmp/a.b/shot.Dib", 0, "bmp"},
        {"/tmp/shot.gif", kErrorNotSupported, nullptr},
        {"/tmp/shot.d/noext", kErrorNotSupported, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::vector<std::string> written;
        const auto write = [&](const ImageEncoder& e, const std::string&, const BitmapImage&) {
            written.push_back(e.format);
            return 0;
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
    const std::pair<int, std::uint32_t> cases[] = {
        {0, 0},     {1, 1287},   {2, 87},     {3, 14},     {4, 170},  {5, 122},
        {6, 50},    {7, 1},      {8, 12},     {9, 1235},   {10, 2},   {11, 111},
        {12, 5},    {13, 15018}, {14, 15018}, {15, 15018}, {16, 13},  {17, 50},
        {18, 1114}, {19, 1170},  {20, 50},    {21, 626},   {-1, 626},
    };
    for (const auto& [status, error] : cases)
        EXPECT_EQ(EncoderStatusError(status), error) << status;
}

}  // namespace
}  // namespace nl
