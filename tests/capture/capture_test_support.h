#pragma once
// A recording overlay window and a capture rig on the fake desktop.
#include <optional>
#include <string>
#include <vector>

#include "capture/CCapture.h"
#include "document/document_test_support.h"
#include "framework/CAppPrefs.h"
#include "overlay/overlay_test_support.h"
#include "picking/CDesktopSampler.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeFolders.h"
#include "platform/fake/FakeSettingsStore.h"
#include "platform/fake/FakeSound.h"

namespace nl::testing_support {

// A capture of one shape on a 400x300 fake desktop with default settings; its captured
// images are collected.
struct CaptureRig {
    TestClock clock;
    FakeSettingsStore store;
    FakeFolders folders;
    FakeFileSystem files;
    FakeDialogs dialogs;
    CAppPrefs prefs{PrefsServices{&store, &folders, &files, &dialogs, &clock}};
    FakeDesktop desktop{{0, 0, 400, 300}};
    FakeClipboard clipboard;
    FakeSound sound;
    RecordingOverlay window;
    std::optional<CursorImage> cursor;
    std::vector<BitmapImage> images;
    CCapture capture;

    explicit CaptureRig(CapShape shape, std::uint32_t copierOptions = 0)
        : capture(window, Services(copierOptions), shape) {}

    CCapture::Services Services(std::uint32_t copierOptions) {
        prefs.Initialize({});
        prefs.SetDefaults();
        prefs.SetOptions(OptionWord::kScreenCopier, copierOptions);
        return {desktop,
                prefs,
                clipboard,
                sound,
                window,
                [this] { return cursor; },
                [this](const BitmapImage& image) { images.push_back(image); }};
    }
    void Open() {
        capture.Prepare(desktop.VirtualScreen(), {});
        capture.Open();
    }
    // Press at `from`, move through `path`, release at the last point.
    void Drag(Point from, const std::vector<Point>& path, KeyState keys = {}) {
        capture.OnLeftDown(from, keys);
        for (const Point& p : path) capture.OnMouseMove(p, keys);
        capture.OnLeftUp(path.empty() ? from : path.back(), keys);
    }
};

}  // namespace nl::testing_support
