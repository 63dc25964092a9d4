#include "app/qt/CTrayItem.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>

namespace nl {
namespace {

TEST(CTrayItemTest, TheIconGoesByItsThemeNameWhereTheThemeHasIt) {
    // A small icon theme holding one icon.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString theme = dir.filePath(QStringLiteral("nltest"));
    ASSERT_TRUE(QDir().mkpath(theme + QStringLiteral("/48x48/apps")));
    QFile index(theme + QStringLiteral("/index.theme"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write(
        "[Icon Theme]\nName=nltest\nDirectories=48x48/apps\n\n"
        "[48x48/apps]\nSize=48\nType=Fixed\n");
    index.close();
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(theme + QStringLiteral("/48x48/apps/nltest-app.png")));
    const QStringList oldPaths = QIcon::themeSearchPaths();
    const QString oldTheme = QIcon::themeName();
    QIcon::setThemeSearchPaths({dir.path()});
    QIcon::setThemeName(QStringLiteral("nltest"));

    QImage pixels(16, 16, QImage::Format_ARGB32);
    pixels.fill(Qt::blue);
    const QIcon fallback(QPixmap::fromImage(pixels));
    struct Case {
        const char* themeName;
        const char* sentName;  // empty: pixels only
    };
    for (const Case& c :
         {Case{"nltest-app", "nltest-app"}, Case{"nltest-missing", ""}, Case{"", ""}}) {
        SCOPED_TRACE(c.themeName);
        CTrayItem tray;
        tray.SetIcon(fallback, QString::fromUtf8(c.themeName));
        EXPECT_EQ(tray.IconName(), QString::fromUtf8(c.sentName));
    }
    QIcon::setThemeName(oldTheme);
    QIcon::setThemeSearchPaths(oldPaths);
}

}  // namespace
}  // namespace nl
