#pragma once
#include "base/bitmap_file.h"
#include "document/ViewNotification.h"

namespace nl {

// The application's captured image: the picture of the last successful screen capture,
// empty at start and never saved with the document. Every replacement or deletion sends
// view notification kCapturedImageChanged to `views` (the views re-lay out, the commands
// re-enable).
class CCapturedImageStore {
public:
    explicit CCapturedImageStore(IViewNotifySink* views = nullptr) : m_views(views) {}

    bool HasImage() const { return !m_image.IsEmpty(); }
    const BitmapImage& Image() const { return m_image; }
    // Replaces the image (an empty image deletes it).
    void Set(BitmapImage image);
    // Deletes the image; does nothing when there is none.
    void Clear();

private:
    void Changed();

    BitmapImage m_image;
    IViewNotifySink* m_views;
};

}  // namespace nl
