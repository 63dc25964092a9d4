#pragma once
#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace nl {

class IDialogs;

// The ruler's custom zoom dialog: a factor between 50 and 1000 percent with an up-down,
// and Auto-Preview, which applies every valid factor to the ruler while it is typed. Cancel
// takes a previewed factor back.
class CDlgScale : public QDialog {
public:
    static constexpr int kMinFactor = 50;
    static constexpr int kMaxFactor = 1000;

    struct Hooks {
        std::function<void(int percent)> apply;         // sets the ruler's factor
        std::function<void(bool on)> storeAutoPreview;  // writes the choice to the settings
    };

    CDlgScale(QWidget* parent, int startFactor, bool autoPreview, Hooks hooks, IDialogs& dialogs);

    int Value() const { return m_value; }
    bool AutoPreview() const { return m_autoPreview; }
    QSpinBox* FactorEdit() const { return m_edit; }
    QCheckBox* AutoPreviewCheck() const { return m_check; }

    void accept() override;
    void reject() override;

private:
    // Reads the controls into the members: false (after the validation message, the members
    // unchanged) when the factor is not an integer in range.
    bool SaveData();
    void LoadData();
    void OnTextEdited(const QString& text);
    void OnCheckClicked();

    Hooks m_hooks;
    IDialogs& m_dialogs;
    int m_value;
    const int m_start;
    bool m_autoPreview;
    QSpinBox* m_edit = nullptr;
    QLineEdit* m_line = nullptr;  // the spin box's own edit field
    QCheckBox* m_check = nullptr;
};

}  // namespace nl
