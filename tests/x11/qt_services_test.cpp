#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>

#include "base/CSystemError.h"
#include "base/tick_sounds.h"
#include "platform/local/PosixLocale.h"
#include "platform/local/PosixSystemInfo.h"
#include "platform/qt/CQtClipboard.h"
#include "platform/qt/CQtLocale.h"
#include "platform/qt/CQtShell.h"
#include "platform/x11/CAlsaSound.h"
#include "x11_test_support.h"

namespace nl {
namespace {

TEST(QtShellTest, StartsProgramsDetachedAndReportsMissingOnes) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string marker = folder.filePath(QStringLiteral("ran")).toStdString();
    CQtShell shell;
    ASSERT_EQ(shell.StartDetached("sh", {"-c", "echo \"$1\" > \"$2\"", "sh", "with space", marker}),
              kErrorSuccess);
    QFile file(QString::fromStdString(marker));
    ASSERT_TRUE(test::WaitFor([&] { return file.exists() && file.size() > 0; }));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("with space\n"));

    EXPECT_EQ(shell.StartDetached("/nonexistent/NerimUpdaterAI", {"/checknow"}),
              kErrorFileNotFound);
    EXPECT_EQ(shell.StartDetached("no-such-program-anywhere", {}), kErrorFileNotFound);
    EXPECT_EQ(shell.StartDetached(folder.path().toStdString(), {}), kErrorAccessDenied);
    EXPECT_EQ(shell.OpenFile("/nonexistent/preview.html"), kErrorFileNotFound);
    EXPECT_EQ(shell.OpenUrl("not a url"), kErrorInvalidParameter);
}

TEST(QtClipboardTest, UnicodeTextRoundTrips) {
    CQtClipboard clipboard;
    const std::string text = "#FF8000\tRGB(255, 128, 0) — ✓";
    ASSERT_EQ(clipboard.SetText(text), kErrorSuccess);
    ASSERT_TRUE(test::WaitFor([&] { return clipboard.Text() == text; }, 2000));
}

std::vector<std::uint8_t> BytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(QtClipboardTest, CarriesImagesAndSeveralFormatsWithTheirBytes) {
    CQtClipboard clipboard;
    int changes = 0;
    clipboard.SetChangeListener([&] { ++changes; });

    const BitmapImage image{
        3, 2, {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0, 0xFFD0E0F0, 0xFF010203}};
    ASSERT_EQ(clipboard.SetImage(image), kErrorSuccess);
    ASSERT_TRUE(test::WaitFor([&] { return clipboard.Image() == image; }, 2000));
    EXPECT_EQ(clipboard.Text(), std::nullopt);
    // Listed with bytes that are a picture of the same size.
    const std::vector<ClipboardFormat> listed = clipboard.Formats();
    const bool picture = std::any_of(listed.begin(), listed.end(), [](const ClipboardFormat& f) {
        const QImage decoded = QImage::fromData(f.bytes.data(), static_cast<int>(f.bytes.size()));
        return decoded.size() == QSize(3, 2);
    });
    EXPECT_TRUE(picture) << listed.size() << " formats, the first " << listed.at(0).name;

    const std::vector<ClipboardFormat> several = {{"text/plain", BytesOf("#FF8000")},
                                                  {"text/html", BytesOf("<b>#FF8000</b>")}};
    ASSERT_EQ(clipboard.SetFormats(several), kErrorSuccess);
    ASSERT_TRUE(test::WaitFor([&] { return clipboard.Formats() == several; }, 2000));
    EXPECT_EQ(clipboard.Text(), "#FF8000");
    EXPECT_EQ(clipboard.Image(), std::nullopt);

    ASSERT_EQ(clipboard.Clear(), kErrorSuccess);
    ASSERT_TRUE(test::WaitFor([&] { return clipboard.Formats().empty(); }, 2000));
    EXPECT_TRUE(test::WaitFor([&] { return changes >= 3; }, 2000)) << changes;
}

TEST(QtLocaleTest, NumberFormatFollowsTheLocale) {
    struct Case {
        const char* locale;
        std::string decimal, group;
        std::vector<int> sizes;
        bool repeat;
    };
    const Case cases[] = {
        {"en_US", ".", ",", {3}, true},
        {"de_DE", ",", ".", {3}, true},
        {"fr_FR", ",", "\u202F", {3}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        const NumberFormat f = CQtLocale::NumberFormatOf(QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(f.decimalSep, c.decimal);
        EXPECT_EQ(f.thousandSep, c.group);
        EXPECT_EQ(f.grouping.sizes, c.sizes);
        EXPECT_EQ(f.grouping.repeatLast, c.repeat);
        EXPECT_TRUE(f.leadingZero);
        EXPECT_EQ(f.negativeOrder, NumberFormat::kNegLeadingMinus);
        // What the locale itself writes, our formatter writes the same way.
        EXPECT_EQ(
            FormatNumberFixed(f, -1234567.25, 2),
            QLocale(QString::fromLatin1(c.locale)).toString(-1234567.25, 'f', 2).toStdString());
    }
    // Times are shown without a time-zone name.
    EXPECT_FALSE(CQtLocale::TimeFormatOf(QLocale(QStringLiteral("en_US"))).contains(u't'));
    EXPECT_EQ(CQtLocale::TimeFormatOf(QLocale(QStringLiteral("de_DE"))),
              QStringLiteral("HH:mm:ss"));
}

TEST(QtLocaleTest, TheProgramAndTheCommandLineShareTheCLocaleRule) {
    struct Case {
        const char* environmentName;
        const char* qtName;
        const char* written;  // 1220 with no decimals
    };
    const Case cases[] = {
        {"C.UTF-8", "C", "1220"},
        {"C", "C", "1220"},
        {"POSIX", "C", "1220"},
        {"de_DE.UTF-8", "de_DE", "1.220"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.environmentName);
        const NumberFormat program = CQtLocale::UserNumberFormatFor(
            QLocale(QString::fromLatin1(c.qtName)), c.environmentName);
        EXPECT_EQ(FormatNumberFixed(program, 1220, 0), c.written);
        // The command line reads the same locale through the C library, where it is installed.
        if (const auto cli = PosixLocale::NumberFormatOf(c.environmentName)) {
            EXPECT_EQ(FormatNumberFixed(*cli, 1220, 0), c.written);
        }
    }
    std::setlocale(LC_NUMERIC, "C");
}

TEST(PosixSystemInfoTest, NamesTheUserAndTheComputer) {
    PosixSystemInfo info;
    std::string user, computer;
    ASSERT_TRUE(info.UserName(user));
    ASSERT_TRUE(info.ComputerName(computer));
    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof(host) - 1), 0);
    EXPECT_EQ(computer, host);
    EXPECT_FALSE(user.empty());
}

TEST(AlsaSoundTest, PlayingNeverBlocksOrFailsWithOrWithoutADevice) {
    CAlsaSound sound;
    for (int i = 0; i < 3 * CAlsaSound::kMaxVoices; ++i) sound.PlayResource(1201 + i % 6);
    EXPECT_LE(sound.Playing(), CAlsaSound::kMaxVoices);
    sound.PlayResource(1200);  // no such sound
    const std::uint8_t junk[] = {'R', 'I', 'F', 'F', 1, 2, 3};
    sound.PlayWave(junk);
    // Every sound ends by itself (they are short), with or without a device.
    EXPECT_TRUE(test::WaitFor([&] { return sound.Playing() == 0; }, 5000));
}

}  // namespace
}  // namespace nl
