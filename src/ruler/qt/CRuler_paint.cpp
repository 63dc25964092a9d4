// The ruler window's painting: the caption strip with its buttons, the body, the caption
// text, the graduations and the guide mark.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QStaticText>
#include <QtMath>
#include <vector>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "document/CRulerData.h"
#include "platform/qt/qt_convert.h"
#include "ruler/qt/CRuler.h"
#include "ui/qt/svg_icons.h"

namespace nl {

namespace {

using D = CRulerData;

constexpr int kIconSize = 16;
constexpr int kButtonLighter = 130;
constexpr int kStripLighter = 160;
constexpr int kTextMargin = 2;

}  // namespace

void CRuler::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_placement != RulerPlacement::kByCompositor) {
        Render(p);
        return;
    }
    // Where the compositor places the window the alpha is the paint's own: the ruler is drawn
    // opaque, then laid on the cleared window at the ruler's alpha, as window opacity would.
    const qreal ratio = devicePixelRatioF();
    QImage opaque(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    opaque.setDevicePixelRatio(ratio);
    opaque.fill(Qt::transparent);
    {
        QPainter inner(&opaque);
        Render(inner);
    }
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setOpacity(kAlpha / kAlphaMax);
    p.drawImage(0, 0, opaque);
}

void CRuler::Render(QPainter& p) {
    const RulerParts parts = Parts();
    PaintStrip(p, parts);
    PaintBody(p, parts);
    PaintCaptionText(p, parts);
    PaintGraduations(p);
    PaintGuide(p, parts);
}

void CRuler::PaintStrip(QPainter& p, const RulerParts& parts) {
    const bool vertical = (m_options & D::kOptionVertical) != 0;
    const QPalette::ColorGroup group = isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    const QColor caption = palette().color(group, QPalette::Highlight);
    const QRect strip = ToQRect(parts.strip);
    QLinearGradient gradient(strip.topLeft(), vertical ? strip.bottomLeft() : strip.topRight());
    gradient.setColorAt(0, caption);
    gradient.setColorAt(1, caption.lighter(kStripLighter));
    p.fillRect(strip, gradient);

    const QRect icon = ToQRect(parts.icon);
    const QRect iconBox(icon.center().x() - kIconSize / 2 + 1,
                        icon.center().y() - kIconSize / 2 + 1, kIconSize, kIconSize);
    IconFromSvg(cmd::kRuler).paint(&p, iconBox);

    const QColor text = palette().color(group, QPalette::HighlightedText);
    const auto button = [&](const Rect& r, bool hot, const QString& glyph) {
        const QRect box = ToQRect(r);
        p.fillRect(box, hot ? caption.lighter(kButtonLighter) : palette().color(QPalette::Button));
        p.setPen(hot ? text : palette().color(QPalette::ButtonText));
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setFont(m_font);
        p.drawText(box, Qt::AlignCenter, glyph);
    };
    button(parts.help, m_helpHot, ToQt(LoadString(kIdsRulerHelpButton)));
    button(parts.close, m_closeHot, QString(QChar(0x00D7)));
}

void CRuler::PaintBody(QPainter& p, const RulerParts& parts) {
    const bool vertical = (m_options & D::kOptionVertical) != 0;
    const QRect body = ToQRect(parts.body);
    QLinearGradient gradient(body.topLeft(), vertical ? body.topRight() : body.bottomLeft());
    gradient.setColorAt(0, palette().color(QPalette::Mid));
    gradient.setColorAt(1, palette().color(QPalette::Light));
    p.fillRect(body, gradient);
}

void CRuler::PaintCaptionText(QPainter& p, const RulerParts& parts) {
    const QPalette::ColorGroup group = isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    p.setPen(palette().color(group, QPalette::HighlightedText));
    p.setFont(m_font);
    const QRect area = ToQRect(parts.text);
    if (m_options & D::kOptionVertical) {
        p.save();
        p.translate(area.right() + 1, area.top());
        p.rotate(90);
        const QRect turned(kTextMargin, 0, area.height() - kTextMargin, area.width());
        p.drawText(turned, Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(m_caption, Qt::ElideRight, turned.width()));
        p.restore();
        return;
    }
    const QRect line = area.adjusted(kTextMargin, 0, 0, 0);
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
               p.fontMetrics().elidedText(m_caption, Qt::ElideRight, line.width()));
}

void CRuler::PaintGraduations(QPainter& p) {
    const bool vertical = (m_options & D::kOptionVertical) != 0;
    const GraduationLayout layout = Layout();
    const double ratio = Ratio();
    const QColor ink = palette().color(QPalette::ButtonText);
    std::vector<QLine> lines;
    lines.reserve(layout.majors.size() + layout.minors.size());
    for (const auto* ticks : {&layout.majors, &layout.minors}) {
        for (const RulerTick& tick : *ticks) {
            const auto [a, b] = TickLine(layout, tick, vertical);
            lines.emplace_back(a.x, a.y, b.x, b.y);
        }
    }
    // The ticks on device pixels, each one device pixel wide.
    p.save();
    p.scale(1.0 / ratio, 1.0 / ratio);
    p.setPen(QPen(ink, 1));
    p.drawLines(lines.data(), static_cast<int>(lines.size()));
    p.restore();
    p.setPen(ink);

    // Labels are prepared once per text; a vertical ruler turns the painter once for all.
    p.setFont(m_font);
    p.save();
    if (vertical) p.rotate(90);
    for (const RulerLabel& label : layout.labels) {
        const QString text = QString::fromStdString(label.text);
        auto it = m_labels.find(text);
        if (it == m_labels.end()) {
            QStaticText prepared(text);
            prepared.setTextFormat(Qt::PlainText);
            prepared.prepare(QTransform(), m_font);
            it = m_labels.insert(text, prepared);
        }
        // The layout's device pixels back in the window's own, where the text is set.
        const int length = ToDevice(vertical ? height() : width());
        const qreal start =
            LabelStart(label.along, qCeil(it->size().width() * ratio), length) / ratio;
        const qreal top = label.acrossTop / ratio;
        // Turned a quarter clockwise, the text's top faces the graduated edge of a normal
        // vertical ruler.
        const QPointF at = vertical ? QPointF(start, -(top + m_textHeight)) : QPointF(start, top);
        p.drawStaticText(at, *it);
    }
    p.restore();
}

void CRuler::PaintGuide(QPainter& p, const RulerParts& parts) {
    if (!(m_options & D::kOptionGuide) || !m_guide) return;
    // Drawn by inversion, so the mark shows on any background.
    // One device pixel wide, on the cursor's own pixel.
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Difference);
    p.scale(1.0 / Ratio(), 1.0 / Ratio());
    const QRect body(ToDevice(parts.body.left), ToDevice(parts.body.top),
                     ToDevice(parts.body.Width()), ToDevice(parts.body.Height()));
    if (m_options & D::kOptionVertical)
        p.fillRect(QRect(body.left(), *m_guide, body.width(), 1), Qt::white);
    else
        p.fillRect(QRect(*m_guide, body.top(), 1, body.height()), Qt::white);
    p.restore();
}

}  // namespace nl
