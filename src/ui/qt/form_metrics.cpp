#include "ui/qt/form_metrics.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>

#include "res/forms.h"

namespace nl {
namespace {

constexpr const char* kAverageWidthSample = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAverageWidthSampleLength = 52;

}  // namespace

QFont FormFont(const FormTemplate& form) {
    QFont font(QString::fromStdString(form.fontName));
    font.setStyleHint(QFont::SansSerif);
    // Never smaller than the desktop's own font: the templates were drawn for a screen font
    // that is larger than its nominal size says, and forms stay legible that way.
    const int desktopPoints = QGuiApplication::font().pointSize();
    font.setPointSize(std::max(form.fontPoints, desktopPoints));
    return font;
}

Size FormBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QString::fromLatin1(kAverageWidthSample));
    return {(width + kAverageWidthSampleLength / 2) / kAverageWidthSampleLength, metrics.height()};
}

QRect FormRectToPixels(const Rect& dlu, Size baseUnits) {
    const Rect px = DialogUnitsToPixels(dlu, baseUnits);
    return QRect(QPoint(px.left, px.top), QSize(px.Width(), px.Height()));
}

QSize FormSizeToPixels(const FormTemplate& form, Size baseUnits) {
    const Rect px = DialogUnitsToPixels(Rect{0, 0, form.dlu.cx, form.dlu.cy}, baseUnits);
    return {px.Width(), px.Height()};
}

}  // namespace nl
