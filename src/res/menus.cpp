#include "res/menus.h"

#include <initializer_list>
#include <string_view>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "res/accelerators.h"

namespace nl {
namespace {

// Builders of menu items. A caption gets the key of its command (or of the command that the
// key actually runs, for items whose key is shared with another command) from an accelerator
// table, so that the menus and the keys never disagree.
class MenuBuilder {
public:
    // `keys`: the accelerator table whose keys the captions show; 0 for none.
    explicit MenuBuilder(int keys) : m_keys(keys) {}

    MenuItem Command(int id, std::string_view caption) const { return Command(id, caption, id); }

    MenuItem Command(int id, std::string_view caption, int keyCommand) const {
        MenuItem item{MenuItemKind::kCommand, id, std::string(caption), {}};
        if (m_keys != 0) {
            const std::string key = CommandKeyText(m_keys, keyCommand);
            if (!key.empty()) item.text += "\t" + key;
        }
        return item;
    }

    static MenuItem Separator() { return {MenuItemKind::kSeparator, 0, {}, {}}; }

    static MenuItem Popup(std::string_view caption, std::initializer_list<MenuItem> items) {
        return {MenuItemKind::kPopup, 0, std::string(caption), items};
    }

    static MenuItem RecentFiles() {
        return {MenuItemKind::kRecentFiles, cmd::kFileMruFirst, "Recent File", {}};
    }

private:
    int m_keys;
};

// The caption of the item that starts and stops picking, as the menus are built: picking
// stopped. The update handler switches it to the table string's second row while picking runs.
std::string StartPickingCaption() {
    return LoadStringRow(kIdsTogglePicking, 0);
}

// The snapping commands the Screen Copier's and the Gauge's Edit menus share.
MenuItem SnapToggle(const MenuBuilder& m) {
    return m.Command(cmd::kSnapToEdges, "Snap to &Edges");
}
MenuItem SnapModeToggle(const MenuBuilder& m) {
    return m.Command(cmd::kSnapSteepest, "&Ignore Soft Edges");
}
MenuItem SnapTolerancePopup(const MenuBuilder& m) {
    return MenuBuilder::Popup("Edge &Tolerance", {
                                                     m.Command(cmd::kSnapToleranceFirst, "&8"),
                                                     m.Command(cmd::kSnapToleranceFirst + 1, "&16"),
                                                     m.Command(cmd::kSnapToleranceFirst + 2, "&24"),
                                                     m.Command(cmd::kSnapToleranceFirst + 3, "&32"),
                                                     m.Command(cmd::kSnapToleranceLast, "&48"),
                                                 });
}

// The popups that the main window's menus share; `edit` holds the tool's editing commands
// and `viewModes` the list view modes that only the colors list has.
MenuResource MainMenu(int id, std::initializer_list<MenuItem> edit,
                      std::initializer_list<MenuItem> viewModes) {
    const MenuBuilder m(res::kAcceleratorsMain);
    MenuItem view = MenuBuilder::Popup("&View", viewModes);
    if (viewModes.size() != 0) view.items.push_back(MenuBuilder::Separator());
    view.items.push_back(m.Command(cmd::kGridlines, "&Gridlines"));
    view.items.push_back(MenuBuilder::Separator());
    view.items.push_back(m.Command(cmd::kViewToolbar, "&Toolbar"));
    view.items.push_back(m.Command(cmd::kViewStatusBar, "&Status Bar"));

    return {id,
            {
                MenuBuilder::Popup(
                    "&File",
                    {
                        m.Command(cmd::kFileNew, "&New"),
                        m.Command(cmd::kFileOpen, "&Open..."),
                        m.Command(cmd::kFileSave, "&Save"),
                        m.Command(cmd::kFileSaveAs, "Save &As..."),
                        MenuBuilder::Separator(),
                        m.Command(cmd::kSaveImage, "Export &Image..."),
                        MenuBuilder::Popup(
                            "Export &Colors To",
                            {
                                m.Command(cmd::kExportColorsToFile, "&File..."),
                                m.Command(cmd::kExportColorsToBrowser, "&Web Browser..."),
                                m.Command(cmd::kExportColorsToClipboard, "&Clipboard"),
                            }),
                        m.Command(cmd::kImportColors, "Import Co&lors..."),
                        MenuBuilder::Separator(),
                        MenuBuilder::RecentFiles(),
                        MenuBuilder::Separator(),
                        m.Command(cmd::kAppExit, "E&xit"),
                    }),
                MenuBuilder::Popup("&Edit", edit),
                view,
                MenuBuilder::Popup("&Tools",
                                   {
                                       m.Command(cmd::kToolMagnifier, "&Magnifier"),
                                       m.Command(cmd::kToolScreenCopier, "&Screen Copier"),
                                       m.Command(cmd::kToolGauge, "&Gauge"),
                                       m.Command(cmd::kToolColorPicker, "&Color Picker"),
                                       MenuBuilder::Separator(),
                                       m.Command(cmd::kTogglePicking, StartPickingCaption()),
                                       MenuBuilder::Separator(),
                                       m.Command(cmd::kRuler, "&Ruler"),
                                       m.Command(cmd::kClipboardViewer, "Clipboard &Viewer"),
                                       m.Command(cmd::kContrast, "Co&ntrast"),
                                       MenuBuilder::Separator(),
                                       m.Command(cmd::kOptions, "&Options..."),
                                   }),
                MenuBuilder::Popup("&Window",
                                   {
                                       // The update handler switches it to "Sho&w" while
                                       // the window is hidden.
                                       m.Command(cmd::kShowHide, "Hid&e"),
                                       m.Command(cmd::kStayOnTop, "Stay on &Top"),
                                       m.Command(cmd::kArrange, "&Arrange"),
                                   }),
                MenuBuilder::Popup("&Help",
                                   {
                                       m.Command(cmd::kHelp, "&View Help"),
                                       MenuBuilder::Separator(),
                                       m.Command(cmd::kCheckForUpdates, "Check for &Updates..."),
                                       m.Command(cmd::kWebSite, "NerimLens on the &Web"),
                                       MenuBuilder::Separator(),
                                       m.Command(cmd::kAppAbout, "&About NerimLens..."),
                                   }),
            }};
}

std::vector<MenuResource> BuildMenus() {
    const MenuBuilder m(res::kAcceleratorsMain);
    const MenuBuilder none(0);
    const MenuBuilder ruler(res::kAcceleratorsRuler);
    std::vector<MenuResource> menus;

    menus.push_back(MainMenu(res::kMenuMain, {}, {}));
    menus.push_back(MainMenu(res::kMenuMagnifier,
                             {
                                 m.Command(cmd::kCopyInstructions, "&Copy?"),
                                 m.Command(cmd::kCopyCentreColor, "Copy Center Co&lor"),
                             },
                             {}));
    menus.push_back(MainMenu(res::kMenuScreenCopier,
                             {
                                 m.Command(cmd::kEditCopy, "&Copy"),
                                 m.Command(cmd::kEditDelete, "&Delete"),
                                 MenuBuilder::Separator(),
                                 SnapToggle(m),
                                 SnapModeToggle(m),
                                 SnapTolerancePopup(m),
                             },
                             {}));
    menus.push_back(
        MainMenu(res::kMenuColorPicker,
                 {
                     m.Command(cmd::kEditCopy, "&Copy"),
                     m.Command(cmd::kCopyAllColors, "Copy &All Colors"),
                     MenuBuilder::Separator(),
                     // Enter, Ctrl+Enter and Shift+Enter reach the view through
                     // the application's keyboard helpers.
                     m.Command(cmd::kPickColor, "&Pick Color", cmd::kPick),
                     m.Command(cmd::kCopyColor, "&Replace Color", cmd::kCopy),
                     m.Command(cmd::kShiftEnterAction, "Pick After Dela&y", cmd::kShiftEnter),
                     MenuBuilder::Separator(),
                     m.Command(cmd::kGotoColor, "&Go To Pixel"),
                     m.Command(cmd::kAddColor, "A&dd"),
                     m.Command(cmd::kEditColor, "&Edit..."),
                     MenuBuilder::Separator(),
                     m.Command(cmd::kEditDelete, "De&lete"),
                     m.Command(cmd::kDeleteAllColors, "Delete All Color&s"),
                     MenuBuilder::Separator(),
                     m.Command(cmd::kMoveColorUp, "Move &Up"),
                     m.Command(cmd::kMoveColorDown, "Move Do&wn"),
                     MenuBuilder::Separator(),
                     m.Command(cmd::kColorProperties, "Pr&operties..."),
                 },
                 {
                     m.Command(cmd::kViewLargeIcons, "&Icons"),
                     m.Command(cmd::kViewSmallIcons, "S&mall Icons"),
                     m.Command(cmd::kViewList, "&List"),
                     m.Command(cmd::kViewDetails, "&Details"),
                     MenuBuilder::Separator(),
                     m.Command(cmd::kColorNameColumn, "Color &Names"),
                 }));
    menus.push_back(
        MainMenu(res::kMenuGauge,
                 {
                     m.Command(cmd::kEditCopy, "&Copy"),
                     m.Command(cmd::kCopyAllMeasurements, "Copy &All"),
                     MenuBuilder::Separator(),
                     // Ctrl+G and Del run the commands the measurements view
                     // shares with the colors view.
                     m.Command(cmd::kPreviewMeasurement, "&Preview", cmd::kGotoColor),
                     MenuBuilder::Separator(),
                     m.Command(cmd::kDeleteAllMeasurements, "&Delete All", cmd::kEditDelete),
                     MenuBuilder::Separator(),
                     m.Command(cmd::kKeepMeasurements, "&Keep Measurements"),
                     m.Command(cmd::kCopyAnnotatedImage, "Copy Annotated I&mage"),
                     m.Command(cmd::kSaveAnnotatedImage, "&Save Annotated Image..."),
                     MenuBuilder::Separator(),
                     SnapToggle(m),
                     SnapModeToggle(m),
                     SnapTolerancePopup(m),
                 },
                 {}));

    // The notification icon's menu shows no keys: they work only in the main window.
    menus.push_back(
        {res::kMenuTray,
         {MenuBuilder::Popup("Tray", {
                                         none.Command(cmd::kShowHide, "Hid&e"),
                                         none.Command(cmd::kTogglePicking, StartPickingCaption()),
                                         MenuBuilder::Separator(),
                                         none.Command(cmd::kRuler, "&Ruler"),
                                         none.Command(cmd::kClipboardViewer, "Clipboard &Viewer"),
                                         none.Command(cmd::kContrast, "Co&ntrast"),
                                         MenuBuilder::Separator(),
                                         none.Command(cmd::kOptions, "&Options..."),
                                         MenuBuilder::Separator(),
                                         none.Command(cmd::kHelp, "&Help"),
                                         none.Command(cmd::kAppAbout, "&About NerimLens..."),
                                         none.Command(cmd::kAppExit, "E&xit"),
                                     })}});

    // Context menus.
    menus.push_back(
        {res::kMenuColorsContext,
         {MenuBuilder::Popup("Colors", {
                                           m.Command(cmd::kEditCopy, "&Copy"),
                                           m.Command(cmd::kGotoColor, "&Go To Pixel"),
                                           MenuBuilder::Separator(),
                                           m.Command(cmd::kAddColor, "A&dd"),
                                           m.Command(cmd::kEditColor, "&Edit..."),
                                           m.Command(cmd::kEditDelete, "De&lete"),
                                           MenuBuilder::Separator(),
                                           m.Command(cmd::kMoveColorUp, "Move &Up"),
                                           m.Command(cmd::kMoveColorDown, "Move Do&wn"),
                                           MenuBuilder::Separator(),
                                           m.Command(cmd::kColorProperties, "Pr&operties..."),
                                       })}});
    menus.push_back(
        {res::kMenuColorPropertiesContext,
         {MenuBuilder::Popup("Properties", {
                                               none.Command(cmd::kCopyProperty, "&Copy"),
                                               none.Command(cmd::kCopyAllProperties, "Copy &All"),
                                           })}});
    menus.push_back(
        {res::kMenuCapturedImageContext,
         {MenuBuilder::Popup("Image", {
                                          m.Command(cmd::kSaveImage, "Export &Image..."),
                                          MenuBuilder::Separator(),
                                          m.Command(cmd::kEditCopy, "&Copy"),
                                          MenuBuilder::Separator(),
                                          m.Command(cmd::kEditDelete, "&Delete"),
                                      })}});
    menus.push_back({res::kMenuMeasurementsContext,
                     {MenuBuilder::Popup("Measurements", {m.Command(cmd::kEditCopy, "&Copy")})}});

    menus.push_back(
        {res::kMenuRuler,
         {MenuBuilder::Popup(
             "Ruler",
             {
                 MenuBuilder::Popup("&Window",
                                    {
                                        ruler.Command(cmd::kRulerHorizontal, "H&orizontal"),
                                        ruler.Command(cmd::kRulerInverted, "In&verted"),
                                        ruler.Command(cmd::kRulerGuide, "&Guide"),
                                        ruler.Command(cmd::kStayOnTop, "Stay on &Top"),
                                        ruler.Command(cmd::kRulerArrange, "&Arrange"),
                                    }),
                 MenuBuilder::Popup(
                     "&Caption",
                     {
                         ruler.Command(cmd::kRulerCaptionFirst, "&Units"),
                         ruler.Command(cmd::kRulerCaptionFirst + 1, "&Scale"),
                         ruler.Command(cmd::kRulerCaptionFirst + 2, "Ruler P&osition"),
                         ruler.Command(cmd::kRulerCaptionFirst + 3, "Cursor &Position"),
                         ruler.Command(cmd::kRulerCaptionFirst + 4, "Cursor &Projection"),
                         ruler.Command(cmd::kRulerCaptionFirst + 5, "Cursor &Distance"),
                         ruler.Command(cmd::kRulerCaptionLast, "Cursor &Angle"),
                     }),
                 MenuBuilder::Popup("&Unit",
                                    {
                                        ruler.Command(cmd::kRulerUnitPixel, "&Pixel"),
                                        ruler.Command(cmd::kRulerUnitPixel + 1, "Pic&a"),
                                        ruler.Command(cmd::kRulerUnitPixel + 2, "Poi&nt"),
                                        ruler.Command(cmd::kRulerUnitPixel + 3, "T&wip"),
                                        ruler.Command(cmd::kRulerUnitPixel + 4, "Centi&meter"),
                                        ruler.Command(cmd::kRulerUnitPixel + 5, "&Inch"),
                                        ruler.Command(cmd::kRulerUnitPixel + 6, "Dialog &Base"),
                                        ruler.Command(cmd::kRulerUnitDialog, "&Dialog"),
                                        ruler.Command(cmd::kRulerUnitLogical, "&Logical Pixel"),
                                        MenuBuilder::Separator(),
                                        ruler.Command(cmd::kRulerBase2, "Base &2"),
                                        ruler.Command(cmd::kRulerBase10, "Base &10"),
                                    }),
                 MenuBuilder::Popup("&Zoom",
                                    {
                                        ruler.Command(cmd::kRulerNormalZoom, "&Normal"),
                                        ruler.Command(cmd::kRulerZoomIn, "Zoom &In"),
                                        ruler.Command(cmd::kRulerZoomOut, "Zoom &Out"),
                                        ruler.Command(cmd::kRulerCustomZoom, "&Custom..."),
                                    }),
                 MenuBuilder::Separator(),
                 ruler.Command(cmd::kHelp, "&Help"),
                 ruler.Command(cmd::kRulerShortcutKeys, "Shortcut &Keys..."),
                 ruler.Command(cmd::kAppAbout, "&About NerimLens..."),
                 MenuBuilder::Separator(),
                 ruler.Command(cmd::kClose, "&Close"),
             })}});

    menus.push_back(
        {res::kMenuClipboardViewer,
         {
             MenuBuilder::Popup("&File",
                                {
                                    none.Command(cmd::kFileSaveAs, "&Save As..."),
                                    MenuBuilder::Separator(),
                                    none.Command(cmd::kCancel, "&Close"),
                                }),
             MenuBuilder::Popup("&View",
                                {
                                    none.Command(cmd::kClipboardPrevious, "&Previous"),
                                    none.Command(cmd::kClipboardNext, "&Next"),
                                    MenuBuilder::Separator(),
                                    none.Command(cmd::kClipboardShowText, "&Text"),
                                    none.Command(cmd::kClipboardShowText + 1, "&RTF"),
                                    none.Command(cmd::kClipboardShowText + 2, "&HTML"),
                                    none.Command(cmd::kClipboardShowText + 3, "&Bitmap"),
                                    none.Command(cmd::kClipboardShowText + 4, "&Metafile"),
                                    none.Command(cmd::kClipboardShowFileList, "&File List"),
                                }),
             MenuBuilder::Popup("&Data",
                                {
                                    none.Command(cmd::kClipboardFormats, "&Formats"),
                                    none.Command(cmd::kClipboardClear, "&Clear"),
                                }),
             MenuBuilder::Popup("&Window", {none.Command(cmd::kStayOnTop, "Stay on &Top")}),
             MenuBuilder::Popup("&Help",
                                {
                                    none.Command(cmd::kHelp, "&View Help"),
                                    none.Command(cmd::kAppAbout, "&About NerimLens..."),
                                }),
         }});
    return menus;
}

}  // namespace

const MenuResource* FindMenu(int id) {
    static const std::vector<MenuResource> kMenus = BuildMenus();
    for (const MenuResource& menu : kMenus)
        if (menu.id == id) return &menu;
    return nullptr;
}

}  // namespace nl
