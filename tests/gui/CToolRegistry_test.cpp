// The main window hosting what the tool registry holds: a tool without a main view, tools
// left out, and the ruler found through the windows the main window opened.
#include "framework/qt/CToolRegistry.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "base/command_ids.h"
#include "framework/qt/CViewApp.h"
#include "framework/qt/CViewAppTB.h"
#include "gui_test_support.h"
#include "magnifier/qt/CViewMag.h"
#include "res/forms.h"
#include "ruler/qt/CRuler.h"
#include "ui/qt/CCtrlZoom.h"

namespace nl {
namespace {

using test::FrameRig;

// A tool that shows only a form, registered under `tool` and `command`.
CToolRegistry::Tool FormOnlyTool(std::int32_t tool, int command, int menuId, int formId) {
    return {tool, command, menuId, formId,
            [formId](AppContext& context, IViewHost& host, const ToolServices&) {
                return ToolViews{new CViewAppTB(context, host, formId), {}};
            }};
}

TEST(CToolRegistryTest, FrameShowsOnlyRegisteredToolsAndThePlainListBelowAFormOnlyTool) {
    CToolRegistry tools;
    tools.AddTool(
        FormOnlyTool(AppSettings::kToolGauge, cmd::kToolGauge, res::kMenuGauge, res::kFormGauge));
    struct Case {
        std::int32_t stored;
        int command;
        bool handled;
        int wantForm;  // 0: no toolbar view
        int wantMenu;
    };
    const Case cases[] = {
        {AppSettings::kToolGauge, 0, false, res::kFormGauge, res::kMenuGauge},
        // A stored tool nobody registered shows no tool; its command is not handled.
        {AppSettings::kToolMagnifier, 0, false, 0, res::kMenuMain},
        {AppSettings::kToolMagnifier, cmd::kToolMagnifier, false, 0, res::kMenuMain},
        {AppSettings::kToolMagnifier, cmd::kToolGauge, true, res::kFormGauge, res::kMenuGauge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stored " << c.stored << " command " << c.command);
        FrameRig rig;
        rig.prefs.SetActiveTool(c.stored);
        rig.frame = std::make_unique<CMainFrame>(rig.context, tools);
        if (c.command != 0) {
            EXPECT_EQ(rig.frame->ExecuteCommand(c.command), c.handled);
        }
        CViewAppTB* toolbar = rig.frame->ToolbarView();
        EXPECT_EQ(toolbar ? toolbar->FormId() : 0, c.wantForm);
        EXPECT_EQ(rig.frame->MenuId(), c.wantMenu);
        EXPECT_NE(dynamic_cast<CViewApp*>(rig.frame->MainView()), nullptr);
        EXPECT_EQ(rig.frame->UpdateCommand(cmd::kToolMagnifier).Enabled(), false);
        // The program's windows are not registered here.
        EXPECT_FALSE(rig.frame->ToolWindowFactory(cmd::kRuler));
    }
}

struct RulerRig : FrameRig {
    RulerRig() {
        prefs.SetActiveTool(AppSettings::kToolMagnifier);
        prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralPickingStarted,
                        OptionState::kOn);
        prefs.SetOption(OptionWord::kMagnifier, AppSettings::kMagnifierFollowRuler,
                        OptionState::kOn);
        MakeFrame();
        frame->ShowAtStartup();
    }
    // Opens and shows the ruler as the program does.
    CRuler* Open() {
        const auto factory = frame->ToolWindowFactory(cmd::kRuler);
        QWidget* window = factory ? factory() : nullptr;
        if (!window) return nullptr;
        window->show();
        return dynamic_cast<CRuler*>(window);
    }
};

TEST(CToolRegistryTest, FrameFindsTheRulerItOpenedWhileItIsShown) {
    RulerRig rig;
    EXPECT_FALSE(rig.frame->Ruler().exists);
    // The clipboard viewer is a window of its own too, one the magnifier does not follow.
    EXPECT_TRUE(rig.frame->ToolWindowFactory(cmd::kClipboardViewer));
    QPointer<CRuler> ruler = rig.Open();
    ASSERT_NE(ruler, nullptr);
    // The main window owns it; closing deletes it.
    EXPECT_EQ(ruler->parentWidget(), rig.frame.get());
    EXPECT_TRUE(ruler->testAttribute(Qt::WA_DeleteOnClose));

    RulerState state = rig.frame->Ruler();
    EXPECT_TRUE(state.exists);
    EXPECT_EQ(state.origin, ruler->OriginOnScreen());

    ruler->hide();
    EXPECT_FALSE(rig.frame->Ruler().exists);
    ruler->show();
    EXPECT_TRUE(rig.frame->Ruler().exists);

    ruler->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ruler.isNull());
    EXPECT_FALSE(rig.frame->Ruler().exists);
    // Opened again, it is found again.
    ASSERT_NE(rig.Open(), nullptr);
    EXPECT_TRUE(rig.frame->Ruler().exists);
}

TEST(CToolRegistryTest, MagnifierFollowsTheRulerTheFrameOpenedWhileItIsActive) {
    RulerRig rig;
    CRuler* ruler = rig.Open();
    ASSERT_NE(ruler, nullptr);
    auto* view = dynamic_cast<CViewMag*>(rig.frame->MainView());
    ASSERT_NE(view, nullptr);
    const Point cursor{700, 600};
    auto tick = [&] {
        rig.desktop.SetCursorPos(cursor);
        rig.frame->Sampler().RefreshSample();
        rig.notify.Send(ViewNotify::kTimerTick);
        return view->Zoom()->Centre();
    };

    auto activate = [](QWidget* window) {
        window->activateWindow();
        return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
    };
    ASSERT_TRUE(activate(rig.frame.get()));
    EXPECT_FALSE(rig.frame->Ruler().foreground);
    EXPECT_EQ(tick(), cursor);

    ASSERT_TRUE(activate(ruler));
    EXPECT_TRUE(rig.frame->Ruler().foreground);
    EXPECT_EQ(tick(), ruler->OriginOnScreen());
}

// Collects Qt's warnings while it lives.
class WarningLog {
public:
    WarningLog() { s_log = this, m_previous = qInstallMessageHandler(&Record); }
    ~WarningLog() { qInstallMessageHandler(m_previous), s_log = nullptr; }
    QStringList lines;

private:
    static void Record(QtMsgType, const QMessageLogContext&, const QString& text) {
        if (s_log) s_log->lines << text;
    }
    static inline WarningLog* s_log = nullptr;
    QtMessageHandler m_previous = nullptr;
};

TEST(CToolRegistryTest, KeysBothWindowsClaimRunTheRulersCommandsWhileItHasTheFocus) {
    RulerRig rig;
    rig.applicationTarget.Handle(cmd::kHelp);
    CRuler* ruler = rig.Open();
    ASSERT_NE(ruler, nullptr);
    ruler->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([ruler] { return QApplication::activeWindow() == ruler; }));
    const QPoint home = ruler->pos();
    ruler->move(home + QPoint(40, 30));
    const bool onTop = rig.Settings().HasOption(OptionWord::kDisplay, AppSettings::kDisplayOnTop);

    WarningLog log;
    QTest::keyClick(ruler, Qt::Key_Home);
    EXPECT_EQ(ruler->pos(), home);
    QTest::keyClick(ruler, Qt::Key_T, Qt::ControlModifier);
    EXPECT_NE(rig.Settings().HasOption(OptionWord::kDisplay, AppSettings::kDisplayOnTop), onTop);
    QTest::keyClick(ruler, Qt::Key_F1);
    EXPECT_EQ(rig.applicationTarget.commands, std::vector<int>{cmd::kHelp});
    EXPECT_FALSE(log.lines.join('\n').contains("Ambiguous")) << log.lines.join('\n').toStdString();
}

}  // namespace
}  // namespace nl
