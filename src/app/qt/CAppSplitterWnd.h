#pragma once
#include <QPointer>
#include <QSplitter>

namespace nl {

// The main window's two rows: the active tool's toolbar view above (it keeps its height when
// the window is resized and cannot be made lower than its form) and the main view below.
class CAppSplitterWnd : public QSplitter {
public:
    static constexpr int kToolbarRow = 0;
    static constexpr int kMainRow = 1;

    explicit CAppSplitterWnd(QWidget* parent = nullptr);

    // Puts `view` (may be null: the row is left out) into `row`; the old view of the row is
    // taken out at once and deleted once control is back in the event loop.
    void SetView(int row, QWidget* view);
    QWidget* View(int row) const;
    // The ideal and minimum height of the toolbar row.
    void SetToolbarRowHeight(int height);
    int ToolbarRowHeight() const { return m_toolbarHeight; }

private:
    void Arrange();

    QPointer<QWidget> m_views[2];
    int m_toolbarHeight = 0;
};

}  // namespace nl
