#include "options/qt/CPSOptions.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/CWinState.h"
#include "framework/ViewNotifyHub.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/IViewHost.h"
#include "options/qt/CPPParent.h"
#include "platform/IDesktop.h"
#include "platform/qt/screen_pixels.h"

namespace nl {
namespace {

// The first number of the options window state: the page that was active.
constexpr std::size_t kActivePageSlot = 0;

}  // namespace

CPSOptions::CPSOptions(AppContext& context, IViewHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog), m_context(context), m_host(host), m_entries(OptionPages()) {
    setWindowTitle(QString::fromStdString(LoadString(kIdsOptionsCaption)));
    setModal(false);

    m_tabs = new QTabWidget(this);
    // Every tab title shows whole: the sheet grows to the tab row.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setElideMode(Qt::ElideNone);
    for (const OptionPageEntry& entry : m_entries) {
        CPPParent* page = entry.create(context, host, nullptr);
        m_pages.push_back(page);
        m_tabs->addTab(page, QString::fromStdString(entry.title));
        page->LoadData();
        connect(page, &CPPParent::ModifiedChanged, this, [this] { UpdateApply(); });
    }
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Apply | QDialogButtonBox::Help,
                                     this);
    const QDialogButtonBox::StandardButton kButtons[] = {
        QDialogButtonBox::Ok, QDialogButtonBox::Cancel, QDialogButtonBox::Apply,
        QDialogButtonBox::Help};
    for (std::size_t row = 0; row < std::size(kButtons); ++row)
        m_buttons->button(kButtons[row])
            ->setText(QString::fromStdString(LoadStringRow(kIdsOptionSheetButtons, row)));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CPSOptions::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CPSOptions::reject);
    connect(ApplyButton(), &QPushButton::clicked, this, [this] { Apply(); });
    const auto help = [this] { m_host.ExecuteCommand(cmd::kHelp); };
    connect(m_buttons, &QDialogButtonBox::helpRequested, this, help);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, help);

    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages wherever the focus is (a drop-down list
    // would take the keys for its own search).
    for (const auto& [keys, step] :
         {std::pair{QKeySequence::NextChild, 1}, std::pair{QKeySequence::PreviousChild, -1}}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this, step = step] {
            const int count = m_tabs->count();
            m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + count) % count);
        });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The page the sheet was last closed on, by its number.
    const std::vector<std::uint32_t>& numbers =
        m_context.prefs.WinState(kWinStateOptions).Numbers();
    if (numbers.size() > kActivePageSlot) {
        for (std::size_t tab = 0; tab < m_entries.size(); ++tab) {
            if (static_cast<std::uint32_t>(m_entries[tab].number) == numbers[kActivePageSlot])
                m_tabs->setCurrentIndex(static_cast<int>(tab));
        }
    }
    m_currentTab = m_tabs->currentIndex();
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPSOptions::OnTabChanged);
    UpdateApply();
    m_context.notify.Register(this);
}

CPSOptions::~CPSOptions() {
    m_context.notify.Unregister(this);
    StoreState();
}

CPPParent* CPSOptions::Page(int tab) const {
    if (tab < 0 || tab >= PageCount()) return nullptr;
    return m_pages[static_cast<std::size_t>(tab)];
}

int CPSOptions::ActiveTab() const {
    return m_tabs->currentIndex();
}

int CPSOptions::ActivePageNumber() const {
    const int tab = ActiveTab();
    return tab < 0 ? kPageGeneral : m_entries[static_cast<std::size_t>(tab)].number;
}

QPushButton* CPSOptions::ApplyButton() const {
    return m_buttons->button(QDialogButtonBox::Apply);
}

bool CPSOptions::SavePage(CPPParent* page) {
    if (page == nullptr || !page->IsModified()) return true;
    if (!page->SaveData()) return false;
    page->SetModified(false);
    return true;
}

bool CPSOptions::Apply() {
    return SavePage(Page(ActiveTab()));
}

void CPSOptions::accept() {
    if (!Apply()) return;
    m_closingSaved = true;
    close();
}

void CPSOptions::reject() {
    close();
}

void CPSOptions::closeEvent(QCloseEvent* event) {
    // Cancel, Escape, the window's close button and the Options command all end here.
    if (!m_closingSaved) {
        if (CPPParent* page = Page(ActiveTab())) page->CancelData();
    }
    m_closingSaved = false;
    event->accept();
}

void CPSOptions::OnTabChanged(int tab) {
    if (m_revertingTab) return;
    if (!SavePage(Page(m_currentTab))) {
        // The page has said why; the user stays on it.
        m_revertingTab = true;
        m_tabs->setCurrentIndex(m_currentTab);
        m_revertingTab = false;
        return;
    }
    m_currentTab = tab;
}

void CPSOptions::UpdateApply() {
    bool modified = false;
    for (const CPPParent* page : m_pages) modified = modified || page->IsModified();
    ApplyButton()->setEnabled(modified);
}

void CPSOptions::OnViewNotify(ViewNotify type, std::intptr_t) {
    if (type == ViewNotify::kSaveState) StoreState();
    for (CPPParent* page : m_pages) page->OnViewNotify(static_cast<int>(type));
}

void CPSOptions::StoreState() {
    CWinState& state = m_context.prefs.WinState(kWinStateOptions);
    bool changed = false;
    std::vector<std::uint32_t>& numbers = state.Numbers();
    if (numbers.size() <= kActivePageSlot) numbers.resize(kActivePageSlot + 1);
    const auto number = static_cast<std::uint32_t>(ActivePageNumber());
    if (numbers[kActivePageSlot] != number) {
        numbers[kActivePageSlot] = number;
        changed = true;
    }
    if (m_shown) {
        // Kept in device pixels, the desktop's own coordinates.
        changed = state.RecordPlacement(WindowPlacement::Normal(DeviceRect(geometry()))) || changed;
    }
    if (changed) m_context.prefs.SetChanged();
}

void CPSOptions::RestorePlacement() {
    CWinState& state = m_context.prefs.WinState(kWinStateOptions);
    adjustSize();
    const RestoreResult where =
        RestoreRect(state, DeviceRect(geometry()), RestoreMode::kMoveOnly,
                    m_context.desktop.Monitors(), m_context.desktop.VirtualScreen());
    setGeometry(LogicalRect(where.rect));
}

void CPSOptions::showEvent(QShowEvent* event) {
    if (!m_shown) {
        m_shown = true;
        RestorePlacement();
    }
    QDialog::showEvent(event);
}

}  // namespace nl
