#include "framework/CCmdTarget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nl {
namespace {

// A target whose handlers the tests register from outside; it logs what runs.
class Target : public CCmdTarget {
public:
    Target(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}

    void Handle(int id) {
        AddCommand(id, [this, id] { Log(std::to_string(id)); });
    }
    // Handles the ids of [first, last] that `accept` lets through.
    void HandleRange(int first, int last, std::function<bool(int)> accept) {
        AddCommandRange(first, last, [this, accept = std::move(accept)](int id) {
            if (!accept(id)) return false;
            Log("range:" + std::to_string(id));
            return true;
        });
    }
    void Update(int first, int last, std::function<void(CCmdUI&)> handler) {
        auto logged = [this, handler = std::move(handler)](CCmdUI& ui) {
            Log("update:" + std::to_string(ui.Id()));
            handler(ui);
        };
        if (first == last)
            AddUpdate(first, logged);
        else
            AddUpdateRange(first, last, logged);
    }
    // A handler that registers `more` further handlers while it runs.
    void HandleAndGrow(int id, int more) {
        AddCommand(id, [this, id, more] {
            for (int i = 1; i <= more; ++i) Handle(id + 1000 + i);
            Log("grew");
        });
    }

private:
    void Log(const std::string& what) { m_log.push_back(m_name + ":" + what); }
    std::string m_name;
    std::vector<std::string>& m_log;
};

class CCmdTargetTest : public ::testing::Test {
protected:
    std::vector<std::string> m_log;
    Target m_view{"view", m_log};
    Target m_frame{"frame", m_log};
    Target m_app{"app", m_log};
    CCmdRoute m_route{{&m_view, nullptr, &m_frame, &m_app}};
};

TEST_F(CCmdTargetTest, ExecuteRunsTheFirstHandlerAlongTheRoute) {
    m_view.Handle(10);
    m_frame.Handle(10);
    m_frame.Handle(20);
    m_app.Handle(20);
    m_app.Handle(30);
    m_view.HandleRange(100, 199, [](int id) { return id % 2 == 0; });
    m_view.Handle(101);  // after the declining range in the same target
    m_app.HandleRange(100, 199, [](int) { return true; });
    const std::pair<int, const char*> cases[] = {
        {10, "view:10"},        {20, "frame:20"},        {30, "app:30"},
        {40, nullptr},          {100, "view:range:100"},  // first of the range
        {101, "view:101"},       // declined by the range, taken by the next handler
        {103, "app:range:103"},  // declined by the view, taken by the application
        {199, "app:range:199"},  // last of the range
        {200, nullptr},         {99, nullptr},
    };
    for (const auto& [id, ran] : cases) {
        m_log.clear();
        EXPECT_EQ(m_route.Execute(id), ran != nullptr) << id;
        EXPECT_EQ(m_log, ran ? std::vector<std::string>{ran} : std::vector<std::string>{}) << id;
    }
    EXPECT_FALSE(CCmdRoute({nullptr, nullptr}).Execute(10));
}

TEST_F(CCmdTargetTest, WithoutAnUpdateHandlerACommandIsEnabledExactlyWhenSomeoneHandlesIt) {
    m_app.Handle(30);
    m_frame.HandleRange(50, 59, [](int) { return false; });  // counts even if it may decline
    const std::pair<int, bool> cases[] = {
        {30, true}, {31, false}, {50, true}, {59, true}, {60, false}};
    for (const auto& [id, enabled] : cases) {
        const CCmdUI ui = m_route.Update(id);
        EXPECT_EQ(ui.Id(), id);
        EXPECT_EQ(ui.Enabled(), enabled) << id;
        EXPECT_FALSE(ui.CheckState().has_value()) << id;
        EXPECT_FALSE(ui.Text().has_value()) << id;
    }
    EXPECT_FALSE(CCmdRoute({}).Update(30).Enabled());
}

TEST_F(CCmdTargetTest, TheFirstUpdateHandlerThatDoesNotPassDecides) {
    // The view passes; the frame disables, checks and names the item although the view has a
    // command handler; the application is not asked.
    m_view.Update(7, 7, [](CCmdUI& ui) { ui.ContinueRouting(); });
    m_view.Handle(7);
    m_frame.Update(7, 7, [](CCmdUI& ui) {
        ui.Enable(false);
        ui.SetCheck();
        ui.SetText("Hid&e");
    });
    m_app.Update(7, 7, [](CCmdUI& ui) { ui.Enable(true); });
    const CCmdUI ui = m_route.Update(7);
    EXPECT_FALSE(ui.Enabled());
    EXPECT_EQ(ui.CheckState(), CCmdUI::kChecked);
    EXPECT_FALSE(ui.IsRadio());
    EXPECT_EQ(ui.Text(), "Hid&e");
    EXPECT_FALSE(ui.ContinueRoutingRequested());
    EXPECT_EQ(m_log, (std::vector<std::string>{"view:update:7", "frame:update:7"}));

    // An update handler keeps a command nobody handles enabled.
    m_app.Update(8, 8, [](CCmdUI& ui) { ui.SetRadio(); });
    const CCmdUI radio = m_route.Update(8);
    EXPECT_TRUE(radio.Enabled());
    EXPECT_TRUE(radio.IsRadio());
}

TEST_F(CCmdTargetTest, ARangeUpdateHandlerPassesWhatItDoesNotKnow) {
    m_frame.Update(3000, 3999, [](CCmdUI& ui) {
        if (ui.Id() == 3071)
            ui.SetCheck();
        else
            ui.ContinueRouting();
    });
    m_app.Update(3101, 3101, [](CCmdUI& ui) { ui.SetCheck(CCmdUI::kUnchecked); });
    m_app.Handle(3102);
    EXPECT_EQ(m_route.Update(3071).CheckState(), CCmdUI::kChecked);
    EXPECT_EQ(m_route.Update(3101).CheckState(), CCmdUI::kUnchecked);
    // Passed on by everyone: the command-handler rule decides.
    EXPECT_TRUE(m_route.Update(3102).Enabled());
    EXPECT_FALSE(m_route.Update(3103).Enabled());
    EXPECT_FALSE(m_route.Update(3103).ContinueRoutingRequested());
    // Asked directly, the target reports the pass.
    CCmdUI direct(3500);
    EXPECT_FALSE(m_frame.OnUpdateCommandUI(direct));
    EXPECT_TRUE(direct.ContinueRoutingRequested());
}

TEST_F(CCmdTargetTest, HandlersMayRegisterHandlersWhileRunning) {
    m_view.HandleAndGrow(1, 200);
    EXPECT_TRUE(m_route.Execute(1));
    EXPECT_EQ(m_log.back(), "view:grew");
    EXPECT_TRUE(m_route.Execute(1201));
    EXPECT_EQ(m_log.back(), "view:1201");
    EXPECT_FALSE(m_view.HasCommandHandler(1001));
    EXPECT_FALSE(m_view.HasCommandHandler(1202));
}

}  // namespace
}  // namespace nl
