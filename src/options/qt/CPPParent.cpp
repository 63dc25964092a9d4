#include "options/qt/CPPParent.h"

#include "base/StringTable.h"
#include "document/ViewNotification.h"
#include "framework/CAppPrefs.h"
#include "framework/qt/AppContext.h"
#include "platform/IDialogs.h"

namespace nl {

CPPParent::CPPParent(AppContext& context, IViewHost& host, QWidget* parent)
    : QWidget(parent), m_context(context), m_host(host) {}

void CPPParent::SetModified(bool modified) {
    if (m_modified == modified) return;
    m_modified = modified;
    emit ModifiedChanged(modified);
}

void CPPParent::CancelData() {
    LoadData();
    SetModified(false);
}

void CPPParent::OnViewNotify(int notification) {
    if (notification == static_cast<int>(ViewNotify::kToolTipsChanged)) ApplyToolTips();
}

void CPPParent::OnControlChanged() {
    if (!m_filling) SetModified(true);
}

void CPPParent::FillControls(const std::function<void()>& fill) {
    m_filling = true;
    fill();
    m_filling = false;
    SetModified(false);
}

void CPPParent::AddToolTip(QWidget* widget, const std::string& text) {
    std::erase_if(m_toolTips, [widget](const auto& tip) { return tip.first == widget; });
    m_toolTips.emplace_back(widget, QString::fromStdString(text));
    ApplyToolTips();
}

void CPPParent::AddToolTip(QWidget* widget, std::uint32_t id) {
    AddToolTip(widget, SplitPrompt(LoadString(id)).prompt);
}

void CPPParent::ApplyToolTips() {
    const bool on =
        m_context.prefs.Settings().HasOption(OptionWord::kGeneral, AppSettings::kGeneralToolTips);
    for (const auto& [widget, text] : m_toolTips) widget->setToolTip(on ? text : QString());
}

void CPPParent::ShowWarning(const std::string& text) const {
    m_context.dialogs.MessageBox(text, LoadString(kIdsAppTitle), MsgButtons::kOk,
                                 MsgIcon::kWarning);
}

}  // namespace nl
