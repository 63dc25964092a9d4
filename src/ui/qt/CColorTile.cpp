#include "ui/qt/CColorTile.h"

#include <QPainter>

namespace nl {

CColorTile::CColorTile(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CColorTile::SetColor(COLORREF color) {
    if (color == m_color) return;
    m_color = color;
    update();
}

QColor CColorTile::PaintColor() const {
    return m_color == kNoColor ? palette().color(QPalette::Button) : ToQColor(m_color);
}

void CColorTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), PaintColor());
}

}  // namespace nl
