#include "options/qt/CPPParent.h"

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

void CPPParent::OnViewNotify(int) {}

}  // namespace nl
