#pragma once
#include <string>

#include "options/qt/CPPParent.h"

class QPushButton;

namespace nl {

// The Maintenance page: the updater's settings and check, and the back-up and restore of the
// data file. A confirmed restore ends the program without writing the settings over the
// restored file. The page has no settings of its own to save.
class CPPSystem : public CPPParent {
    Q_OBJECT
public:
    CPPSystem(AppContext& context, IViewHost& host, QWidget* parent = nullptr);

    void LoadData() override;
    bool SaveData() override { return true; }

    // The data file's full path, known once the page was first shown; empty when it could
    // not be resolved (the error was shown).
    const std::string& DataFile() const { return m_dataFile; }

    void BackUp();
    void Restore();
    // Opens the data file's folder with the desktop's file manager.
    void OpenFileLocation();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The rows of the page's text string.
    enum TextRow : std::size_t {
        kUpdates,
        kConfigureUpdates,
        kCheckForUpdates,
        kDataFileGroup,
        kBackUp,
        kRestore,
        kOpenFileLocation,
    };
    void ResolveDataFile();
    // The update buttons follow their commands' state (disabled without an updater).
    void UpdateUpdaterButtons();

    QPushButton* m_configureUpdates;
    QPushButton* m_checkForUpdates;
    QPushButton* m_backUp;
    QPushButton* m_restore;
    QPushButton* m_openLocation;
    bool m_resolved = false;
    std::string m_dataFile;
};

}  // namespace nl
