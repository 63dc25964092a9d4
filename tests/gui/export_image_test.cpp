// Export Image: the chosen file's extension picks the format in any case, an unknown one
// fails with "not supported" and writes nothing, Cancel does nothing.
#include "framework/qt/export_image.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "base/CSystemError.h"
#include "platform/fake/FakeDialogs.h"

namespace nl {
namespace {

constexpr std::uint32_t kOpaqueTeal = 0xFF008080;

TEST(ExportImageTest, TheExtensionChoosesTheFormat) {
    const BitmapImage image{4, 3, std::vector<std::uint32_t>(12, kOpaqueTeal)};
    QTemporaryDir dir;
    struct Case {
        const char* name;
        const char* format;  // as the file reads back; empty: nothing written
        std::uint32_t error;
    };
    const Case cases[] = {
        {"shot.PNG", "png", kErrorSuccess},
        {"shot.jpg", "jpeg", kErrorSuccess},
        {"shot.xyz", "", kErrorNotSupported},
    };
    for (const Case& c : cases) {
        FakeDialogs dialogs;
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        dialogs.ChooseFile(path.toStdString());
        std::uint32_t error = kErrorSuccess;
        try {
            ExportImageDialog(image, dialogs);
        } catch (const CSystemError& e) {
            error = e.Code();
        }
        EXPECT_EQ(error, c.error) << c.name;
        ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
        EXPECT_EQ(dialogs.FileDialogs()[0].request.defaultExtension, "jpg");
        if (*c.format == '\0') {
            EXPECT_FALSE(QFileInfo::exists(path)) << c.name;
            continue;
        }
        const QImage written(path, c.format);
        ASSERT_FALSE(written.isNull()) << c.name;
        EXPECT_EQ(written.size(), QSize(4, 3)) << c.name;
    }
}

TEST(ExportImageTest, CancelWritesNothingAndSaysNothing) {
    FakeDialogs dialogs;
    ExportImageDialog({2, 2, std::vector<std::uint32_t>(4, kOpaqueTeal)}, dialogs);
    EXPECT_EQ(dialogs.FileDialogs().size(), 1u);
    EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace nl
