#pragma once
#include <QStatusBar>

class QLabel;

namespace nl {

// The status bar of the main window: the hint pane, which stretches and shows the idle text
// or a tool's hint (menu and button prompts cover it while they are shown), and one
// fixed pane on the right with its own text and tool tip.
class CStatusBarEx : public QStatusBar {
public:
    explicit CStatusBarEx(QWidget* parent = nullptr);

    void SetHint(const QString& text);
    QString Hint() const;

    // The right-hand pane: its text and the tool tip it shows while tool tips are on.
    void SetPaneText(const QString& text);
    QString PaneText() const;
    void SetPaneToolTip(const QString& tip) { m_paneTip = tip; }
    void SetToolTipsEnabled(bool enabled);

private:
    QLabel* m_hint;
    QLabel* m_pane;
    QString m_paneTip;
    bool m_toolTips = false;
};

}  // namespace nl
