#pragma once
#include <QWidget>

#include "model/color_math.h"

namespace nl {

// A swatch: the whole client area filled with one color, repainted when the color changes.
// It starts with the button-face color; kNoColor also shows button face.
class CColorTile : public QWidget {
public:
    explicit CColorTile(QWidget* parent = nullptr);

    void SetColor(COLORREF color);
    COLORREF Color() const { return m_color; }
    // The color the tile paints now.
    QColor PaintColor() const;

    QSize sizeHint() const override { return {32, 32}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    COLORREF m_color = kNoColor;
};

// The Qt color of `color`.
inline QColor ToQColor(COLORREF color) {
    return QColor(RgbRed(color), RgbGreen(color), RgbBlue(color));
}

}  // namespace nl
