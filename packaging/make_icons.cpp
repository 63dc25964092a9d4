// Writes the program's icon and its document type's icon into a hicolor icon theme folder:
// the SVG the program draws itself with, and PNG renderings at the sizes desktops look up.
// Usage: make_icons OUTPUT_DIR APP_ICON_NAME DOCUMENT_ICON_NAME
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <string>

#include "base/command_ids.h"
#include "res/icons.h"

namespace {

constexpr int kArgumentCount = 4;
constexpr int kPngSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// A sheet of paper with a folded corner and the program's lens on it.
std::string DocumentSvg(std::string_view lens) {
    std::string svg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 16 16" width="16" height="16">)"
        R"(<path d="M2.5 0.5 H10 L13.5 4 V15.5 H2.5 Z" fill="#ffffff" stroke="#2b3a4a"/>)"
        R"(<path d="M9.5 0.5 V4.5 H13.5" fill="#d6e6fa" stroke="#2b3a4a"/>)"
        R"svg(<g transform="translate(3.5 5) scale(0.62)">)svg";
    svg += lens;
    svg += "</g></svg>";
    return svg;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The SVG under scalable/CONTEXT and one PNG per size under NxN/CONTEXT.
bool WriteIcon(const QString& root, const QString& context, const QString& name,
               const QByteArray& svg) {
    if (!WriteFile(root + "/scalable/" + context + "/" + name + ".svg", svg)) return false;
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return false;
    for (const int size : kPngSizes) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString folder = QString("%1/%2x%2/%3").arg(root).arg(size).arg(context);
        QDir().mkpath(folder);
        if (!image.save(folder + "/" + name + ".png")) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != kArgumentCount) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_DIR APP_ICON_NAME DOCUMENT_ICON_NAME\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    const std::string_view lens = nl::FindIconSvg(nl::res::kIconStarted);
    // The lens without its own <svg> element, to nest in the document icon.
    const std::size_t bodyStart = lens.find('>') + 1;
    const std::string_view lensBody = lens.substr(bodyStart, lens.rfind("</svg>") - bodyStart);
    const QByteArray appSvg(lens.data(), static_cast<qsizetype>(lens.size()));
    const QByteArray documentSvg = QByteArray::fromStdString(DocumentSvg(lensBody));
    if (!WriteIcon(root, "apps", QString::fromLocal8Bit(argv[2]), appSvg) ||
        !WriteIcon(root, "mimetypes", QString::fromLocal8Bit(argv[3]), documentSvg)) {
        std::fprintf(stderr, "make_icons: cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
