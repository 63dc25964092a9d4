#include "options/qt/CPPHelpers.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QMenu>
#include <QVBoxLayout>

#include "framework/CAppPrefs.h"
#include "framework/event_sounds.h"
#include "framework/qt/AppContext.h"
#include "options/qt/CListCtrlExSounds.h"
#include "platform/qt/qt_convert.h"

namespace nl {

namespace {

constexpr char kStartupListText[] = "&Display a notification message when NerimLens starts hidden";
constexpr char kToolTipsText[] = "Display a usage &tooltip when hovering over NerimLens controls";
constexpr char kSoundsText[] = "&Play the following sounds";

QCheckBox* MakeCheck(const char* text, int id, QWidget* parent) {
    auto* check = new QCheckBox(ToQt(text), parent);
    check->setObjectName(QString::number(id));
    return check;
}

}  // namespace

CPPHelpers::CPPHelpers(AppContext& context, IViewHost& host, QWidget* parent)
    : CPPParent(context, host, parent) {
    // Plain check boxes: 5501 is also the Sounds command, which must not run from here.
    m_startupList = MakeCheck(kStartupListText, kControlStartupList, this);
    m_toolTips = MakeCheck(kToolTipsText, kControlToolTips, this);
    m_sounds = MakeCheck(kSoundsText, kControlSounds, this);
    m_list = new CListCtrlExSounds(context, this);
    m_list->setObjectName(QString::number(kControlSoundList));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_startupList);
    layout->addWidget(m_toolTips);
    layout->addSpacing(layout->spacing());
    layout->addWidget(m_sounds);
    layout->addWidget(m_list, 1);

    LoadData();
    for (QCheckBox* check : {m_startupList, m_toolTips, m_sounds})
        connect(check, &QCheckBox::toggled, this, [this] { OnCheckToggled(); });
    connect(m_list, &CListCtrlEx::ButtonClicked, this, [this](int row, int column) {
        if (column == CListCtrlExSounds::kEditColumn) EditSound(row);
        if (column == CListCtrlExSounds::kTestColumn) TestSound(row);
    });
}

void CPPHelpers::LoadData() {
    m_loading = true;
    m_edited = NotificationSettings::Read(m_context.prefs);
    m_startupList->setChecked(m_edited.startupHotKeyList);
    m_toolTips->setChecked(m_edited.toolTips);
    m_sounds->setChecked(m_edited.soundsOn);
    m_list->SetSounds(m_edited.eventSounds);
    m_loading = false;
    SetModified(false);
}

bool CPPHelpers::SaveData() {
    m_edited.Write(m_context.prefs);
    SetModified(false);
    return true;
}

void CPPHelpers::OnCheckToggled() {
    if (m_loading) return;
    m_edited.startupHotKeyList = m_startupList->isChecked();
    m_edited.toolTips = m_toolTips->isChecked();
    m_edited.soundsOn = m_sounds->isChecked();
    SetModified(true);
}

void CPPHelpers::EditSound(int row) {
    if (row < 0 || row >= kSoundEventCount) return;
    std::uint32_t& sound = m_edited.eventSounds[static_cast<std::size_t>(row)];
    QMenu menu(this);
    auto* group = new QActionGroup(&menu);
    const auto names = SoundNames();
    for (int command = kSoundMenuFirst; command < kSoundMenuFirst + kSoundMenuCount; ++command) {
        const std::uint32_t number = *SoundFromMenuCommand(command);
        QAction* action = menu.addAction(ToQt(SoundName(number)));
        action->setData(command);
        action->setCheckable(true);
        action->setChecked(number == sound);
        group->addAction(action);
    }
    // Just under the clicked row, starting where the menus of this desktop start.
    const QRect cell = m_list->CellRect(row, CListCtrlExSounds::kEditColumn);
    const QPoint corner = isRightToLeft() ? cell.bottomRight() : cell.bottomLeft();
    const QAction* chosen = menu.exec(m_list->viewport()->mapToGlobal(corner + QPoint(0, 1)));
    if (!chosen) return;
    const auto number = SoundFromMenuCommand(chosen->data().toInt());
    if (!number) return;
    sound = *number;
    m_list->SetSound(row, sound);
    SetModified(true);
}

void CPPHelpers::TestSound(int row) {
    if (row < 0 || row >= kSoundEventCount) return;
    PlaySoundNumber(m_context.sound, m_edited.eventSounds[static_cast<std::size_t>(row)]);
}

void CPPHelpers::OnViewNotify(int notification) {
    switch (static_cast<ViewNotify>(notification)) {
        case ViewNotify::kGridLinesChanged:
            m_list->ApplyGridLines();
            break;
        case ViewNotify::kToolTipsChanged:
            m_list->ApplyToolTips();
            break;
        default:
            break;
    }
}

}  // namespace nl
