// Export Image: the chosen file's extension picks the format in any case, an unknown one
// fails with "not supported" and writes nothing, a file that cannot be replaced is left as it
// was, Cancel does nothing.
#include "capture/qt/export_image.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "base/CSystemError.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/local/LocalFileSystem.h"

namespace nl {
namespace {

constexpr std::uint32_t kOpaqueTeal = 0xFF008080;

TEST(ExportImageTest, TheExtensionChoosesTheFormat) {
    const BitmapImage image{4, 3, PixelVector(12, kOpaqueTeal)};
    QTemporaryDir dir;
    LocalFileSystem files;
    const std::string readOnly = dir.filePath(QStringLiteral("kept.png")).toStdString();
    const std::string pipe = dir.filePath(QStringLiteral("pipe.png")).toStdString();
    const std::vector<std::uint8_t> kept = {'o', 'l', 'd'};
    ASSERT_EQ(files.WriteFile(readOnly, kept), 0u);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        const char* name;
        const char* format;  // as the file reads back; empty: nothing written
        std::uint32_t error;
    };
    std::vector<Case> cases = {
        {"shot.PNG", "png", kErrorSuccess},
        {"shot.jpg", "jpeg", kErrorSuccess},
        {"shot.xyz", "", kErrorNotSupported},
        {"pipe.png", "", kErrorBadFileType},
    };
    // Permissions do not hold the superuser back.
    if (::geteuid() != 0) cases.push_back({"kept.png", "", kErrorAccessDenied});
    for (const Case& c : cases) {
        FakeDialogs dialogs;
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        dialogs.ChooseFile(path.toStdString());
        std::uint32_t error = kErrorSuccess;
        try {
            ExportImageDialog(image, dialogs, files);
        } catch (const CSystemError& e) {
            error = e.Code();
        }
        EXPECT_EQ(error, c.error) << c.name;
        ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
        EXPECT_EQ(dialogs.FileDialogs()[0].request.defaultExtension, "jpg");
        if (*c.format == '\0') {
            if (path.toStdString() == readOnly) {
                std::vector<std::uint8_t> now;
                EXPECT_EQ(files.ReadFile(readOnly, now), 0u);
                EXPECT_EQ(now, kept);
            } else if (path.toStdString() != pipe) {
                EXPECT_FALSE(QFileInfo::exists(path)) << c.name;
            }
            continue;
        }
        const QImage written(path, c.format);
        ASSERT_FALSE(written.isNull()) << c.name;
        EXPECT_EQ(written.size(), QSize(4, 3)) << c.name;
    }
}

TEST(ExportImageTest, CancelWritesNothingAndSaysNothing) {
    FakeDialogs dialogs;
    LocalFileSystem files;
    ExportImageDialog({2, 2, PixelVector(4, kOpaqueTeal)}, dialogs, files);
    EXPECT_EQ(dialogs.FileDialogs().size(), 1u);
    EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace nl
