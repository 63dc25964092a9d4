#include "options/qt/CPPHotKeys.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "framework/hot_keys.h"
#include "options/qt/CDlgHotKey.h"
#include "options/qt/CHotKeyCtrl.h"
#include "options/qt/CListCtrlExHotKeys.h"
#include "options_test_support.h"

namespace nl {
namespace {

constexpr std::uint32_t kVkF9 = 120;

using HotKeysRig = test::PageRig<CPPHotKeys>;

// Clicks the Edit button of `row`.
void ClickEdit(CPPHotKeys& page, int row) {
    CListCtrlExHotKeys* list = page.List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->CellRect(row, CListCtrlExHotKeys::kEditColumn).center());
}

TEST(CPPHotKeysTest, PageSaysHowHotKeysWorkInThisSession) {
    struct Case {
        HotKeyRoute route;
        const char* contains;
    };
    const Case cases[] = {
        {HotKeyRoute::kKeyGrabs, "X display"},
        {HotKeyRoute::kDesktopPortal, "global shortcuts service"},
        {HotKeyRoute::kUnavailable, "nerimlens-cli command show-hide"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contains);
        HotKeysRig rig;
        rig.hotKeys.SetRoute(c.route);
        rig.MakePage();
        const auto* route =
            rig.page->findChild<QLabel*>(QString::number(CPPHotKeys::kControlRoute));
        ASSERT_NE(route, nullptr);
        EXPECT_TRUE(route->text().contains(QString::fromLatin1(c.contains)))
            << route->text().toStdString();
    }
}

TEST(CPPHotKeysTest, WhereTheDesktopHoldsTheKeysThePageSaysWhichItBound) {
    HotKeysRig rig;
    rig.hotKeys.SetRoute(HotKeyRoute::kDesktopPortal);
    constexpr std::uint32_t kVkF11 = 122;
    rig.prefs.SetHotKey(kHotKeyShowHide, MakeHotKey(kModControl, kVkF11));
    rig.prefs.SetHotKey(kHotKeyPickColor, MakeHotKey(kModControl, kVkF12));
    // The desktop bound Show/Hide and left Pick Color out.
    ASSERT_EQ(rig.hotKeys.Register(kHotKeyShowHide, kModControl, kVkF11), 0u);
    rig.MakePage();
    const auto* route = rig.page->findChild<QLabel*>(QString::number(CPPHotKeys::kControlRoute));
    ASSERT_NE(route, nullptr);
    EXPECT_EQ(route->text().toStdString(),
              "The desktop bound these hot keys through its global shortcuts service: "
              "Show/Hide (Ctrl + F11).\nThe desktop did not bind Pick Color (Ctrl + F12). Bind "
              "them in the desktop's own keyboard settings instead: nerimlens-cli command "
              "pick-color.");
    // Bound later: the line follows the hot keys.
    ASSERT_EQ(rig.hotKeys.Register(kHotKeyPickColor, kModControl, kVkF12), 0u);
    rig.notify.Send(ViewNotify::kHotKeysChanged);
    EXPECT_EQ(route->text().toStdString(),
              "The desktop bound these hot keys through its global shortcuts service: "
              "Show/Hide (Ctrl + F11), Pick Color (Ctrl + F12).");
}

TEST(CPPHotKeysTest, ListShowsTheCommandsInOrderWithTheirKeys) {
    HotKeysRig rig;
    rig.prefs.SetHotKey(kHotKeyPickColor, MakeHotKey(kModControl | kModAlt, kVkF12));
    rig.MakePage();
    CListCtrlExHotKeys* list = rig.page->List();
    ASSERT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(list->headerItem()->text(2), "Edit");
    const char* const names[] = {"Show/Hide", "Pick Color", "Ruler", "Clipboard Viewer",
                                 "Contrast"};
    const char* const keys[] = {"None", "Ctrl + Alt + F12", "None", "None", "None"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(list->CellText(row, 0), names[row]);
        EXPECT_EQ(list->CellText(row, 1), keys[row]);
    }
    EXPECT_TRUE(list->IsButtonColumn(CListCtrlExHotKeys::kEditColumn));
}

TEST(CPPHotKeysTest, EditorOkStoresAndRegistersTheKeyWhateverTheSheetDoesLater) {
    struct Case {
        const char* name;
        bool ok;
    };
    for (const Case c : {Case{"OK", true}, Case{"Cancel", false}}) {
        SCOPED_TRACE(c.name);
        HotKeysRig rig;
        rig.MakePage();
        test::WhenShown<CDlgHotKey>([&](CDlgHotKey& dialog) {
            QTest::keyClick(dialog.KeyControl(), Qt::Key_F9, Qt::ControlModifier | Qt::AltModifier);
            c.ok ? dialog.accept() : dialog.reject();
        });
        ClickEdit(*rig.page, 2);  // Ruler
        const std::uint32_t want = c.ok ? MakeHotKey(kModControl | kModAlt, kVkF9) : 0;
        EXPECT_EQ(rig.prefs.HotKeys()[kHotKeyRuler], want);
        EXPECT_EQ(rig.counter.Count(ViewNotify::kHotKeysChanged), c.ok ? 1 : 0);
        EXPECT_EQ(rig.prefs.IsChanged(), c.ok);
        EXPECT_EQ(rig.page->List()->CellText(2, 1).toStdString(), HotKeyText(want));
        EXPECT_EQ(rig.hotKeys.IsRegistered(kHotKeyRuler), c.ok);
        EXPECT_FALSE(rig.hotKeys.IsSuspended());
        // Cancel of the sheet keeps what the editor stored.
        rig.page->CancelData();
        EXPECT_EQ(rig.prefs.HotKeys()[kHotKeyRuler], want);
        EXPECT_FALSE(rig.page->IsModified());
    }
}

}  // namespace
}  // namespace nl
