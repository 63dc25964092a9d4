#pragma once
#include "options/notification_settings.h"
#include "options/qt/CPPParent.h"

class QCheckBox;

namespace nl {

class CListCtrlExSounds;

// The Notification page: the start-up hot-key list (5511), usage tool tips (5500), whether
// event sounds play (5501) and the sound list (5504), whose Edit buttons open the sound menu
// under the row and whose Test buttons play the row's sound whatever the sound option says.
// The controls change the settings only when the page is saved.
class CPPHelpers : public CPPParent {
    Q_OBJECT
public:
    static constexpr int kControlStartupList = 5511;
    static constexpr int kControlToolTips = 5500;
    static constexpr int kControlSounds = 5501;
    static constexpr int kControlSoundList = 5504;

    CPPHelpers(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    void LoadData() override;
    bool SaveData() override;
    void OnViewNotify(int notification) override;

    // What the controls hold now.
    const NotificationSettings& Edited() const { return m_edited; }
    QCheckBox* StartupListCheck() const { return m_startupList; }
    QCheckBox* ToolTipsCheck() const { return m_toolTips; }
    QCheckBox* SoundsCheck() const { return m_sounds; }
    CListCtrlExSounds* SoundList() const { return m_list; }

    // The list's buttons: the sound menu under `row` (Edit) and the row's sound (Test).
    void EditSound(int row);
    void TestSound(int row);

private:
    void OnCheckToggled();

    NotificationSettings m_edited;
    QCheckBox* m_startupList = nullptr;
    QCheckBox* m_toolTips = nullptr;
    QCheckBox* m_sounds = nullptr;
    CListCtrlExSounds* m_list = nullptr;
    bool m_loading = false;
};

}  // namespace nl
