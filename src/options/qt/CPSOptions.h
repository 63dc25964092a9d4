#pragma once
#include <QDialog>
#include <vector>

#include "document/ViewNotification.h"
#include "options/qt/option_pages.h"

class QDialogButtonBox;
class QPushButton;
class QTabWidget;

namespace nl {

// The modeless Options sheet: one tab per page of OptionPages, OK, Cancel, Apply and Help.
// A page's data is saved when the user leaves its tab (a page that refuses keeps the user on
// it), on Apply and on OK; Cancel and closing the window drop only the active page's
// unsaved changes. It opens on the page and at the place kept in the options window state
// and stores both there when it is destroyed and when the settings are about to be written.
// View notifications reach every page.
class CPSOptions : public QDialog, public IViewNotifySink {
    Q_OBJECT
public:
    // Parented to `parent` (the main window) as a window of its own.
    CPSOptions(AppContext& context, IViewHost& host, QWidget* parent);
    ~CPSOptions() override;
    CPSOptions(const CPSOptions&) = delete;
    CPSOptions& operator=(const CPSOptions&) = delete;

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    CPPParent* Page(int tab) const;
    int ActiveTab() const;
    // The number (OptionPageNumber) of the active page.
    int ActivePageNumber() const;
    QPushButton* ApplyButton() const;

    // Saves the active page; false when it refused.
    bool Apply();

    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

public slots:
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnTabChanged(int tab);
    void UpdateApply();
    // Saves `page` when it is modified; true when it is saved or had nothing to save.
    bool SavePage(CPPParent* page);
    // Stores the active page's number and the placement in the window state.
    void StoreState();
    void RestorePlacement();

    AppContext& m_context;
    IViewHost& m_host;
    std::vector<OptionPageEntry> m_entries;
    std::vector<CPPParent*> m_pages;
    QTabWidget* m_tabs = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    int m_currentTab = 0;
    bool m_revertingTab = false;
    bool m_shown = false;
    bool m_closingSaved = false;  // OK has saved the page: the close drops nothing
};

}  // namespace nl
