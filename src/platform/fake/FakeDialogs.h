#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/IDialogs.h"

namespace nl {

// Dialogs that answer from a script and remember what they were asked. A message box
// without a scripted answer gets OK when OK is its only button, else Cancel (or No); a file
// dialog without a scripted answer is cancelled.
class FakeDialogs final : public IDialogs {
public:
    struct Shown {
        std::string text;
        std::string caption;
        MsgButtons buttons;
        MsgIcon icon;
    };
    struct Chosen {
        std::string text;
        std::vector<std::string> choices;
    };
    struct FileAsked {
        bool save;
        FileDialogRequest request;
    };

    MsgAnswer MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) override;
    // The next scripted choice; Cancel without one.
    std::optional<std::size_t> Choose(const std::string& text, const std::string& caption,
                                      const std::vector<std::string>& choices,
                                      MsgIcon icon) override;
    std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override;

    void Answer(MsgAnswer answer) { m_answers.push_back(answer); }
    void AnswerChoice(std::optional<std::size_t> choice) { m_choices.push_back(choice); }
    void ChooseFile(std::optional<std::string> path) { m_files.push_back(std::move(path)); }

    const std::vector<Shown>& Messages() const { return m_shown; }
    const std::vector<FileAsked>& FileDialogs() const { return m_fileAsked; }
    const std::vector<Chosen>& Choices() const { return m_chosen; }
    // Scripted answers not used yet.
    std::size_t PendingAnswers() const {
        return m_answers.size() + m_files.size() + m_choices.size();
    }

private:
    std::optional<std::string> NextFile();

    std::deque<MsgAnswer> m_answers;
    std::deque<std::optional<std::string>> m_files;
    std::deque<std::optional<std::size_t>> m_choices;
    std::vector<Shown> m_shown;
    std::vector<Chosen> m_chosen;
    std::vector<FileAsked> m_fileAsked;
};

}  // namespace nl
