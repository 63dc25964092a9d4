#pragma once
#include "options/qt/CPPParent.h"

class QLabel;

namespace nl {

class CListCtrlExHotKeys;

// The Hot Keys page: the list of hot-key commands (5513) with their keys; an Edit button
// opens the hot-key editor, which registers the new key at once. The key is stored when the
// editor's OK is pressed, whatever happens to the sheet afterwards, so the page itself has
// nothing to save or cancel. The list follows the hot key table (hot keys changed). A line
// under the list says how hot keys work in this session (held by the program, through the
// desktop's portal, or not at all, with the command line to bind instead); where the desktop
// holds them, which keys it bound and which not, with the command lines for the rest and, on
// a desktop that has one, a button opening its own shortcut settings.
class CPPHotKeys : public CPPParent {
    Q_OBJECT
public:
    static constexpr int kControlList = 5513;
    static constexpr int kControlRoute = 5514;
    static constexpr int kControlDesktopSettings = 5515;

    CPPHotKeys(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    void LoadData() override;
    bool SaveData() override;
    void OnViewNotify(int notification) override;

    CListCtrlExHotKeys* List() const { return m_list; }

    // The editor of the hot key in `row`, modal until closed.
    void EditHotKey(int row);

private:
    void ShowRoute();

    CListCtrlExHotKeys* m_list = nullptr;
    QLabel* m_route = nullptr;
};

}  // namespace nl
