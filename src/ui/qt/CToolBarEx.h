#pragma once
#include <QToolBar>

namespace nl {

// The main window's toolbar: a fixed row of icon buttons (not movable, not floatable) sized
// for small crisp icons.
class CToolBarEx : public QToolBar {
public:
    static constexpr int kIconSize = 16;

    explicit CToolBarEx(const QString& title, QWidget* parent = nullptr);
};

}  // namespace nl
