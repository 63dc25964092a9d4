#pragma once
#include <QWidget>
#include <optional>

#include "contrast/contrast_report.h"
#include "contrast/contrast_setting.h"
#include "document/ViewNotification.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace nl {

struct AppContext;
class CColorTile;
class IViewHost;

// The Contrast window: a text and a background color, each picked from the screen, taken
// from the color list or typed in any form the program reads; their WCAG ratio with its
// verdicts, the APCA lightness contrast, a sample of text in both sizes, the pair as the
// color-vision deficiencies see it, and the nearest colors that pass. In live mode the text
// color follows the pixel under the pointer while picking runs.
class CDlgContrast : public QWidget, public IViewNotifySink {
public:
    static constexpr const char* kTitle = "NerimLens: Contrast";
    enum class Target { kText, kBackground };

    // `host` (may be null in tests) runs the picking commands.
    CDlgContrast(AppContext& context, IViewHost* host, QWidget* parent = nullptr);
    ~CDlgContrast() override;

    const ContrastReport& Report() const { return m_report; }
    void SetColor(Target target, COLORREF color);
    void Swap();
    void SetLive(bool live);
    // Waits for the next pick, which then sets `target`; starts picking when it is stopped.
    void PickInto(Target target);
    // Sets `target` from the color selected in the list; false when none is selected.
    bool TakeFromList(Target target);
    std::optional<Target> Armed() const { return m_armed; }
    // The pair and its figures as lines of "name<TAB>value", as Copy Report copies them.
    std::string ReportText() const;
    void CopyReport();

    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct ColorRow {
        CColorTile* tile = nullptr;
        QLineEdit* edit = nullptr;
        QPushButton* pick = nullptr;
        QPushButton* fromList = nullptr;
        QLabel* name = nullptr;
    };
    void BuildRow(QGridLayout& grid, int row, Target target, const QString& caption);
    ColorRow& RowOf(Target target) { return target == Target::kText ? m_textRow : m_backRow; }
    void ReadTyped(Target target, bool final);
    void Refresh();
    void ShowSuggestionMenu(QToolButton* button, COLORREF color, Target target);
    void SetPrompt(const QString& text);
    void SaveState();

    AppContext& m_context;
    IViewHost* m_host;
    ContrastSetting m_setting;
    ContrastReport m_report;
    std::optional<Target> m_armed;
    int m_selectedColor = -1;  // the list's selected color, -1 for none

    ColorRow m_textRow;
    ColorRow m_backRow;
    QPushButton* m_swap = nullptr;
    QCheckBox* m_live = nullptr;
    QLabel* m_ratio = nullptr;
    QLabel* m_lc = nullptr;
    QLabel* m_prompt = nullptr;
    QWidget* m_sample = nullptr;
    std::vector<QLabel*> m_verdicts;
    QGridLayout* m_simulations = nullptr;
    QGridLayout* m_suggestions = nullptr;
    QWidget* m_suggestionBox = nullptr;
};

}  // namespace nl
