#pragma once
#include "options/qt/CPPParent.h"

class QCheckBox;
class QLabel;
class QRadioButton;

namespace nl {

class CRangeSpinBox;

// The General page: running the program at log-in (the autostart entry), the document
// management choice with its auto-load and auto-save flags, and the number of recent
// documents the File menu lists (used from the next start on).
class CPPGeneral : public CPPParent {
    Q_OBJECT
public:
    static constexpr int kMinRecentDocuments = 0;
    static constexpr int kMaxRecentDocuments = 16;

    CPPGeneral(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    void LoadData() override;
    bool SaveData() override;

private:
    // The rows of the page's text string.
    enum TextRow : std::size_t {
        kRunAtStartup,
        kDocumentManagement,
        kNone,
        kNormal,
        kAutoLoad,
        kAutoSave,
        kRecentDocuments,
    };
    // The auto-load, auto-save and recent-documents controls work only with "Normal".
    void UpdateEnabling();
    bool SaveStartupEntry();

    QCheckBox* m_runAtStartup;
    QRadioButton* m_none;
    QRadioButton* m_normal;
    QCheckBox* m_autoLoad;
    QCheckBox* m_autoSave;
    QLabel* m_recentLabel;
    CRangeSpinBox* m_recent;
};

}  // namespace nl
