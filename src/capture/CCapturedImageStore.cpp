#include "capture/CCapturedImageStore.h"

#include <utility>

namespace nl {

void CCapturedImageStore::Set(BitmapImage image) {
    m_image = std::move(image);
    Changed();
}

void CCapturedImageStore::Clear() {
    if (!HasImage()) return;
    m_image = {};
    Changed();
}

void CCapturedImageStore::Changed() {
    if (m_views != nullptr) m_views->OnViewNotify(ViewNotify::kCapturedImageChanged, 0);
}

}  // namespace nl
