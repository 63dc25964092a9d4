#include "ui/qt/CStatusBarEx.h"

#include <QLabel>

namespace nl {
namespace {

// The right-hand pane is wide enough for a few digits.
constexpr const char* kPaneWidthSample = "00000";

}  // namespace

CStatusBarEx::CStatusBarEx(QWidget* parent)
    : QStatusBar(parent), m_hint(new QLabel(this)), m_pane(new QLabel(this)) {
    setSizeGripEnabled(false);
    m_hint->setTextFormat(Qt::PlainText);
    m_hint->setMinimumWidth(1);
    addWidget(m_hint, 1);
    m_pane->setTextFormat(Qt::PlainText);
    m_pane->setAlignment(Qt::AlignCenter);
    m_pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pane->setMinimumWidth(m_pane->fontMetrics().horizontalAdvance(kPaneWidthSample) +
                            2 * m_pane->frameWidth() + m_pane->margin() * 2);
    addPermanentWidget(m_pane);
}

void CStatusBarEx::SetHint(const QString& text) {
    if (m_hint->text() != text) m_hint->setText(text);
}

QString CStatusBarEx::Hint() const {
    return m_hint->text();
}

void CStatusBarEx::SetPaneText(const QString& text) {
    if (m_pane->text() != text) m_pane->setText(text);
}

QString CStatusBarEx::PaneText() const {
    return m_pane->text();
}

void CStatusBarEx::SetToolTipsEnabled(bool enabled) {
    m_toolTips = enabled;
    m_pane->setToolTip(enabled ? m_paneTip : QString());
}

}  // namespace nl
