// A window filled with one color, for checking what a reader of screen pixels sees.
// usage: nl_wl_solid '#RRGGBB' WIDTH HEIGHT   (title "solid #rrggbb"; the Wayland app id and
// the X11 class come from the name the program is started by, so a link gives another one)
#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cstdlib>

namespace {

constexpr int kArgumentCount = 4;

class SolidWindow : public QWidget {
public:
    explicit SolidWindow(QColor color) : m_color(color) {}

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), m_color); }

private:
    QColor m_color;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < kArgumentCount) return 2;
    QGuiApplication::setDesktopFileName(QString(argv[0]).section('/', -1));
    SolidWindow window{QColor(argv[1])};
    window.setWindowTitle(QStringLiteral("solid ") + argv[1]);
    window.resize(std::atoi(argv[2]), std::atoi(argv[3]));
    window.show();
    return app.exec();
}
