#pragma once
#include <QPointer>
#include <array>
#include <string>

#include "options/qt/CPPParent.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace nl {

// The Color Export page: the form colors are copied to the clipboard in (a setting) and the
// document's three export templates (title, header, footer), with a menu of the tags they
// may hold, which go where the user last worked, and buttons that empty the templates or
// put the defaults back.
class CPPExport : public CPPParent {
    Q_OBJECT
public:
    static constexpr int kTemplateCount = 3;
    // The forms of the clipboard list, in the order of the export option word.
    static constexpr std::size_t kClipboardFormCount = 5;

    CPPExport(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    void LoadData() override;
    bool SaveData() override;
    // A new or opened document brings its own templates into an unchanged page.
    void OnViewNotify(int notification) override;

    // The tag button: the tag menu right-aligned under the button, or, before any template
    // field had the focus, the message that asks for one.
    void ShowTagMenu();
    // Replaces the selection of the template field that last had the focus with tag `index`
    // of the menu and gives that field the focus back.
    void InsertTag(int index);
    // Empties the three fields / puts the default templates into them.
    void ClearTemplates();
    void ResetTemplates();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The rows of the page's text string.
    enum TextRow : std::size_t {
        kClipboard,
        kFirstForm,  // the five clipboard forms follow
        kTemplates = kFirstForm + kClipboardFormCount,
        kTitle,
        kHeader,
        kFooter,
        kTagButton,
        kClearButton,
        kResetButton,
    };
    void SetTemplates(const std::array<std::string, kTemplateCount>& texts);

    QComboBox* m_format;
    std::array<QLineEdit*, kTemplateCount> m_fields{};
    // The texts the fields were filled with: only changed templates go back to the document.
    std::array<QString, kTemplateCount> m_loaded;
    QPushButton* m_tagButton;
    QPointer<QLineEdit> m_lastField;
};

}  // namespace nl
