#pragma once
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace nl {

// The program's icon `id` (res/icons.h) drawn from its SVG document at whatever size it is
// asked for, so that it stays crisp on every screen. A null icon when there is no such icon.
QIcon IconFromSvg(int id);

// The icon rendered once at `size` device-independent pixels for a screen with
// `devicePixelRatio`; a null pixmap when there is no such icon.
QPixmap PixmapFromSvg(int id, QSize size, qreal devicePixelRatio = 1.0);

}  // namespace nl
