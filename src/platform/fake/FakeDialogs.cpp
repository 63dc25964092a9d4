#include "platform/fake/FakeDialogs.h"

namespace nl {

MsgAnswer FakeDialogs::MessageBox(const std::string& text, const std::string& caption,
                                  MsgButtons buttons, MsgIcon icon) {
    m_shown.push_back({text, caption, buttons, icon});
    if (!m_answers.empty()) {
        const MsgAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    switch (buttons) {
        case MsgButtons::kOk:
            return MsgAnswer::kOk;
        case MsgButtons::kYesNo:
            return MsgAnswer::kNo;
        default:
            return MsgAnswer::kCancel;
    }
}

std::optional<std::size_t> FakeDialogs::Choose(const std::string& text, const std::string&,
                                               const std::vector<std::string>& choices, MsgIcon) {
    m_chosen.push_back({text, choices});
    if (m_choices.empty()) return std::nullopt;
    const auto choice = m_choices.front();
    m_choices.pop_front();
    return choice;
}

std::optional<std::string> FakeDialogs::NextFile() {
    if (m_files.empty()) return std::nullopt;
    auto path = std::move(m_files.front());
    m_files.pop_front();
    return path;
}

std::optional<std::string> FakeDialogs::SaveFileDialog(const FileDialogRequest& request) {
    m_fileAsked.push_back({true, request});
    return NextFile();
}

std::optional<std::string> FakeDialogs::OpenFileDialog(const FileDialogRequest& request) {
    m_fileAsked.push_back({false, request});
    return NextFile();
}

}  // namespace nl
