#pragma once
#include <QWidget>

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
    // keys changed, ...).
    virtual void OnViewNotify(int notification);

signals:
    void ModifiedChanged(bool modified);

protected:
    AppContext& m_context;
    IViewHost& m_host;

private:
    bool m_modified = false;
};

}  // namespace nl
