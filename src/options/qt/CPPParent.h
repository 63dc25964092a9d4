#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace nl {

struct AppContext;
class IViewHost;

// One page of the Options sheet. A page copies its settings into its controls when it is
// built, sets the modified flag when the user changes a control (which enables the sheet's
// Apply button), and writes the controls back when the sheet saves it: on leaving the tab,
// on Apply and on OK.
class CPPParent : public QWidget {
    Q_OBJECT
public:
    CPPParent(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    bool IsModified() const { return m_modified; }
    // Emits ModifiedChanged when the flag changes.
    void SetModified(bool modified);

    // Fills the controls from the settings; the page is then unmodified.
    virtual void LoadData() = 0;
    // Writes the controls into the settings and marks the settings as changed. False when
    // a value is invalid or a system action failed: the page has shown why, stays
    // modified and the sheet stays on it.
    virtual bool SaveData() = 0;
    // Drops the unsaved changes of the page (Cancel).
    virtual void CancelData();
    // A view notification the sheet forwards (tool tips changed, grid lines changed, hot
    // keys changed, ...). The base applies the tool-tip setting on "tool tips changed";
    // pages that handle other codes call it.
    virtual void OnViewNotify(int notification);

signals:
    void ModifiedChanged(bool modified);

protected:
    // For the controls' change signals: marks the page modified, except while FillControls
    // runs.
    void OnControlChanged();
    // Runs `fill`, which puts the settings into the controls, without marking the page
    // modified; the page is unmodified afterwards.
    void FillControls(const std::function<void()>& fill);
    // Gives `widget` a tool tip, shown while the tool-tip setting (general option 0x10000)
    // is on: the text itself, or the prompt part of string `id`.
    void AddToolTip(QWidget* widget, const std::string& text);
    void AddToolTip(QWidget* widget, std::uint32_t id);
    void ApplyToolTips();
    // A message box with the application's caption and the warning icon.
    void ShowWarning(const std::string& text) const;

    AppContext& m_context;
    IViewHost& m_host;

private:
    bool m_modified = false;
    bool m_filling = false;
    std::vector<std::pair<QWidget*, QString>> m_toolTips;
};

}  // namespace nl
