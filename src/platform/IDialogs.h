#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace nl {

// The buttons of a message box.
enum class MsgButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
// The icon of a message box.
enum class MsgIcon { kNone, kInformation, kQuestion, kWarning, kError };
// The button the user chose (closing the box counts as Cancel, or as No without Cancel).
enum class MsgAnswer { kOk, kCancel, kYes, kNo };

// What a file dialog starts with. `filter` is in the "Name (*.ext)|*.ext||" form.
struct FileDialogRequest {
    std::string filter;
    std::string initialFolder;  // empty: the system's choice
    std::string fileName;       // proposed name, may be empty
    std::string defaultExtension;
};

// The modal questions the program asks the user.
class IDialogs {
public:
    virtual ~IDialogs() = default;
    virtual MsgAnswer MessageBox(const std::string& text, const std::string& caption,
                                 MsgButtons buttons, MsgIcon icon) = 0;
    // Asks `text` with a button for each of `choices` (the first the default) and Cancel; the
    // index of the choice, or nothing when the user cancelled or closed the box.
    virtual std::optional<std::size_t> Choose(const std::string& text, const std::string& caption,
                                              const std::vector<std::string>& choices,
                                              MsgIcon icon) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) = 0;
};

}  // namespace nl
