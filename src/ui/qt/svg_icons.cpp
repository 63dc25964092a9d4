#include "ui/qt/svg_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>
#include <memory>

#include "res/icons.h"

namespace nl {
namespace {

// Renders the SVG document at each requested size instead of scaling one bitmap.
class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(QByteArray svg) : m_svg(std::move(svg)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QPixmap image = Render(rect.size(), ratio, mode, state);
        painter->drawPixmap(rect, image);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Render(size, 1.0, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Render(size, scale, mode, state);
    }

    QIconEngine* clone() const override { return new SvgIconEngine(m_svg); }
    QString key() const override { return QStringLiteral("nl-svg"); }
    bool isNull() override { return m_svg.isEmpty(); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    }

private:
    QPixmap Render(const QSize& size, qreal ratio, QIcon::Mode mode, QIcon::State) const {
        if (size.isEmpty()) return {};
        const QSize device = (QSizeF(size) * ratio).toSize();
        QImage image(device, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QSvgRenderer renderer(m_svg);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(device)));
            if (mode == QIcon::Disabled) {
                // Disabled buttons show their icon faded and grey.
                painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
                painter.fillRect(image.rect(), QColor(128, 128, 128, kDisabledAlpha));
            }
        }
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setDevicePixelRatio(ratio);
        return pixmap;
    }

    static constexpr int kDisabledAlpha = 120;
    QByteArray m_svg;
};

QByteArray SvgBytes(int id) {
    const std::string_view svg = FindIconSvg(id);
    return QByteArray(svg.data(), static_cast<qsizetype>(svg.size()));
}

}  // namespace

QIcon IconFromSvg(int id) {
    QByteArray svg = SvgBytes(id);
    if (svg.isEmpty()) return {};
    return QIcon(new SvgIconEngine(std::move(svg)));
}

QPixmap PixmapFromSvg(int id, QSize size, qreal devicePixelRatio) {
    const QIcon icon = IconFromSvg(id);
    if (icon.isNull()) return {};
    SvgIconEngine engine(SvgBytes(id));
    return engine.scaledPixmap(size, QIcon::Normal, QIcon::Off, devicePixelRatio);
}

}  // namespace nl
