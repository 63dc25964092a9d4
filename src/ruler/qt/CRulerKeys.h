#pragma once
#include <QWidget>

class QTreeWidget;

namespace nl {

// The "Ruler Shortcut Keys" list: every ruler command with its key, from the string table.
class CRulerKeys : public QWidget {
public:
    explicit CRulerKeys(QWidget* owner);
    QTreeWidget* List() const { return m_list; }

private:
    QTreeWidget* m_list = nullptr;
};

}  // namespace nl
