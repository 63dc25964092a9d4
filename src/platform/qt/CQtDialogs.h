#pragma once
#include <QString>
#include <QStringList>

#include "platform/IDialogs.h"

namespace nl {

// Message boxes and file dialogs with Qt's widgets, owned by the window the user works in.
class CQtDialogs final : public IDialogs {
public:
    MsgAnswer MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) override;
    std::optional<std::size_t> Choose(const std::string& text, const std::string& caption,
                                      const std::vector<std::string>& choices,
                                      MsgIcon icon) override;
    std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override;

    // The filters of a "Name (*.a)|*.a|Other|*.b;*.c||" filter in Qt's form, one per entry:
    // "Name (*.a)", "Other (*.b *.c)".
    static QStringList QtFilters(const std::string& filter);
    // The extension (without the dot) of Qt filter `qtFilter`'s first pattern when it names
    // one ("Text (*.txt)" gives "txt"); else `fallback`.
    static QString SuffixOf(const QString& qtFilter, const QString& fallback);
    // A message box text as rich text: each line is its own paragraph, and a line that begins
    // with tabs is indented by that many steps on every line it wraps to, so a long path
    // stays clear of the margin. Empty lines keep their space.
    static QString RichMessageText(const QString& text);
    // The indent of one leading tab, in pixels.
    static constexpr int kTabIndentPixels = 24;

private:
    enum class FileDialogKind { kOpen, kSave };
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request, FileDialogKind kind);
};

}  // namespace nl
