#include "res/toolbars.h"

#include "base/command_ids.h"

namespace nl {
namespace {

constexpr int kSeparator = 0;

// The main window's toolbar: the document, the tools in the order of the Tools menu, the two
// tool windows, the window's own settings and the about box.
constexpr int kMainToolbar[] = {
    cmd::kFileNew,   cmd::kFileOpen,        cmd::kFileSave,
    kSeparator,      cmd::kToolMagnifier,   cmd::kToolScreenCopier,
    cmd::kToolGauge, cmd::kToolColorPicker, kSeparator,
    cmd::kRuler,     cmd::kClipboardViewer, kSeparator,
    cmd::kStayOnTop, cmd::kOptions,         kSeparator,
    cmd::kAppAbout,
};

// The clipboard viewer's toolbar.
constexpr int kClipboardViewerToolbar[] = {
    cmd::kFileSaveAs,     kSeparator, cmd::kClipboardPrevious,
    cmd::kClipboardNext,  kSeparator, cmd::kClipboardFormats,
    cmd::kClipboardClear, kSeparator, cmd::kStayOnTop,
};

}  // namespace

std::span<const int> FindToolbar(int id) {
    if (id == res::kToolbarMain) return kMainToolbar;
    if (id == res::kToolbarClipboardViewer) return kClipboardViewerToolbar;
    return {};
}

}  // namespace nl
