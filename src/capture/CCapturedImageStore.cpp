#include "capture/CCapturedImageStore.h"

#include <utility>

namespace nl {

void CCapturedImageStore::Set(BitmapImage image) {
    m_image = std::move(image);
    m_changed.Notify();
}

void CCapturedImageStore::Clear() {
    if (!HasImage()) return;
    m_image = {};
    m_changed.Notify();
}

}  // namespace nl
