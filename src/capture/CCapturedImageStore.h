#pragma once
#include "base/CSubscriberList.h"
#include "base/bitmap_file.h"

namespace nl {

// The application's captured image: the picture of the last successful screen capture,
// empty at start and never saved with the document. Every replacement or deletion tells
// the subscribers (the views re-lay out, the commands re-enable).
class CCapturedImageStore {
public:
    bool HasImage() const { return !m_image.IsEmpty(); }
    const BitmapImage& Image() const { return m_image; }
    // Replaces the image (an empty image deletes it).
    void Set(BitmapImage image);
    // Deletes the image; does nothing when there is none.
    void Clear();

    [[nodiscard]] CSubscription SubscribeChanged(std::function<void()> callback) {
        return m_changed.Subscribe(std::move(callback));
    }

private:
    BitmapImage m_image;
    CSubscriberList<> m_changed;
};

}  // namespace nl
