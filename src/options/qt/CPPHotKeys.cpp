#include "options/qt/CPPHotKeys.h"

#include <QLabel>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "base/string_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/AppContext.h"
#include "options/qt/CDlgHotKey.h"
#include "options/qt/CListCtrlExHotKeys.h"
#include "platform/IHotKeys.h"
#include "platform/qt/qt_convert.h"

namespace nl {

namespace {

std::uint32_t RouteText(HotKeyRoute route) {
    switch (route) {
        case HotKeyRoute::kDesktopPortal:
            return kIdsHotKeysPortal;
        case HotKeyRoute::kUnavailable:
            return kIdsHotKeysUnavailable;
        default:
            return kIdsHotKeysGrabbed;
    }
}

}  // namespace

CPPHotKeys::CPPHotKeys(AppContext& context, IViewHost& host, QWidget* parent)
    : CPPParent(context, host, parent) {
    m_list = new CListCtrlExHotKeys(context, this);
    m_list->setObjectName(QString::number(kControlList));
    m_route = new QLabel(ToQt(LoadString(RouteText(context.hotKeys.Route()))), this);
    m_route->setObjectName(QString::number(kControlRoute));
    m_route->setWordWrap(true);
    m_route->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_route);
    LoadData();
    connect(m_list, &CListCtrlEx::ButtonClicked, this, [this](int row, int column) {
        if (column == CListCtrlExHotKeys::kEditColumn) EditHotKey(row);
    });
}

void CPPHotKeys::LoadData() {
    m_list->SetKeys(m_context.prefs.HotKeys());
    SetModified(false);
}

bool CPPHotKeys::SaveData() {
    SetModified(false);
    return true;
}

void CPPHotKeys::EditHotKey(int row) {
    const int id = CListCtrlExHotKeys::HotKeyIdOfRow(row);
    if (id < 0) return;
    const auto& table = m_context.prefs.HotKeys();
    const std::uint32_t current =
        static_cast<std::size_t>(id) < table.size() ? table[static_cast<std::size_t>(id)] : 0;
    CDlgHotKey dialog(m_context.hotKeys, m_context.dialogs, id, current, kIdsHotKeyPrompt,
                      CDlgHotKey::Registration::kRegisterAtOnce, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // Stored at once and announced as hot keys changed; the list follows that notification.
    m_context.prefs.SetHotKey(id, dialog.Value());
}

void CPPHotKeys::OnViewNotify(int notification) {
    switch (static_cast<ViewNotify>(notification)) {
        case ViewNotify::kHotKeysChanged:
            m_list->SetKeys(m_context.prefs.HotKeys());
            break;
        case ViewNotify::kGridLinesChanged:
            m_list->ApplyGridLines();
            break;
        case ViewNotify::kToolTipsChanged:
            m_list->ApplyToolTips();
            break;
        default:
            break;
    }
}

}  // namespace nl
