#include "platform/wayland/sway_tree.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <thread>

namespace nl::wayland {
namespace {

// A layout tree as sway 1.7 answers get_tree, cut to the fields that matter: the scratchpad
// output, an output showing workspace 1 (a tiled view, a hidden tab, two floating views
// with the last raised highest, a full-screen view) and a workspace 2 that is not shown.
constexpr char kTree[] = R"({
  "id": 1, "type": "root", "rect": {"x": 0, "y": 0, "width": 1600, "height": 1000},
  "nodes": [
    {"id": 2, "type": "output", "name": "__i3", "nodes": [
      {"id": 3, "type": "workspace", "name": "__i3_scratch", "nodes": [], "floating_nodes": [
        {"id": 40, "type": "floating_con", "name": "stashed", "app_id": "stash", "visible": false}]}]},
    {"id": 4, "type": "output", "name": "HEADLESS-1", "current_workspace": "1", "nodes": [
      {"id": 5, "type": "workspace", "name": "1",
       "nodes": [
         {"id": 6, "type": "con", "name": null, "layout": "tabbed", "nodes": [
           {"id": 10, "type": "con", "name": "editor", "app_id": "editor", "pid": 100, "visible": true,
            "focused": true, "nodes": [],
            "rect": {"x": 0, "y": 0, "width": 800, "height": 1000},
            "window_rect": {"x": 2, "y": 25, "width": 796, "height": 973},
            "deco_rect": {"x": 0, "y": 0, "width": 800, "height": 25}},
           {"id": 11, "type": "con", "name": "behind", "app_id": "behind", "pid": 101, "visible": false,
            "nodes": []}]},
         {"id": 14, "type": "con", "name": "video", "app_id": "player", "pid": 104, "visible": true,
          "fullscreen_mode": 1, "nodes": [],
          "rect": {"x": 0, "y": 0, "width": 1600, "height": 1000},
          "window_rect": {"x": 0, "y": 0, "width": 1600, "height": 1000},
          "deco_rect": {"x": 0, "y": 0, "width": 0, "height": 0}}],
       "floating_nodes": [
         {"id": 12, "type": "floating_con", "name": "solid #12c863", "app_id": "solidwl", "pid": 102,
          "visible": true, "nodes": [],
          "rect": {"x": 800, "y": 25, "width": 800, "height": 450},
          "window_rect": {"x": 2, "y": 0, "width": 796, "height": 448},
          "deco_rect": {"x": 800, "y": 0, "width": 800, "height": 25}},
         {"id": 13, "type": "floating_con", "name": "solid #c83264", "app_id": null, "pid": 103,
          "visible": true, "nodes": [], "window_properties": {"class": "solidx", "instance": "solidx"},
          "rect": {"x": 800, "y": 525, "width": 800, "height": 450},
          "window_rect": {"x": 2, "y": 0, "width": 796, "height": 448},
          "deco_rect": {"x": 800, "y": 500, "width": 800, "height": 25}}]},
      {"id": 7, "type": "workspace", "name": "2", "nodes": [
        {"id": 20, "type": "con", "name": "elsewhere", "app_id": "other", "pid": 105, "nodes": [],
         "rect": {"x": 0, "y": 0, "width": 1600, "height": 1000}}], "floating_nodes": []}]}]
})";

TEST(SwayTree, ListsTheShownViewsTopmostFirst) {
    const std::vector<SwayView> views = ParseSwayTree(kTree);
    struct Expected {
        std::uint64_t id;
        Rect frame, content;
        const char* title;
        const char* className;
        bool focused;
    };
    const Expected expected[] = {
        // full screen over everything
        {14, {0, 0, 1600, 1000}, {0, 0, 1600, 1000}, "video", "player", false},
        // floating, the last raised first; the title bar above the rectangle joins the frame
        {13, {800, 500, 1600, 975}, {802, 525, 1598, 973}, "solid #c83264", "solidx", false},
        {12, {800, 0, 1600, 475}, {802, 25, 1598, 473}, "solid #12c863", "solidwl", false},
        // tiled: the title bar lies inside the rectangle already
        {10, {0, 0, 800, 1000}, {2, 25, 798, 998}, "editor", "editor", true},
    };
    ASSERT_EQ(views.size(), std::size(expected));
    for (std::size_t i = 0; i < views.size(); ++i) {
        const Expected& e = expected[i];
        EXPECT_EQ(views[i].id, e.id) << i;
        EXPECT_EQ(views[i].frame, e.frame) << e.id;
        EXPECT_EQ(views[i].content, e.content) << e.id;
        EXPECT_EQ(views[i].title, e.title) << e.id;
        EXPECT_EQ(views[i].className, e.className) << e.id;
        EXPECT_EQ(views[i].focused, e.focused) << e.id;
    }
}

TEST(SwayTree, AnythingButALayoutTreeHasNoViews) {
    for (const char* text :
         {"", "not json", "[]", "{\"id\": 1}", "{\"nodes\": 5}", "{\"nodes\": [{\"nodes\": {}}]}"})
        EXPECT_TRUE(ParseSwayTree(text).empty()) << text;
}

// A one-shot sway IPC server on a socket in a temporary folder: reads one message and answers
// with `reply`, echoing the message type.
class FakeSwaySocket {
public:
    explicit FakeSwaySocket(std::string reply) {
        char folder[] = "/tmp/nl-sway-XXXXXX";
        m_folder = ::mkdtemp(folder);
        m_path = m_folder + "/ipc.sock";
        m_listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, m_path.c_str());
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 1);
        m_thread = std::thread([this, reply = std::move(reply)] {
            const int fd = ::accept(m_listener, nullptr, nullptr);
            char header[14];
            if (::recv(fd, header, sizeof header, MSG_WAITALL) == sizeof header) {
                std::uint32_t length = 0, type = 0;
                std::memcpy(&length, header + 6, 4);
                std::memcpy(&type, header + 10, 4);
                m_payload.resize(length);
                if (length > 0) ::recv(fd, m_payload.data(), length, MSG_WAITALL);
                m_type = type;
                const std::string answer =
                    SwayMessageHeader(static_cast<SwayMessage>(type), reply.size()) + reply;
                ::send(fd, answer.data(), answer.size(), 0);
            }
            ::close(fd);
        });
    }
    // Waits until the server has answered; what it read is then known.
    void Finish() {
        if (m_thread.joinable()) m_thread.join();
    }
    ~FakeSwaySocket() {
        Finish();
        ::close(m_listener);
        std::filesystem::remove_all(m_folder);
    }
    const std::string& Path() const { return m_path; }
    std::uint32_t Type() const { return m_type; }
    const std::string& Payload() const { return m_payload; }

private:
    std::string m_folder, m_path, m_payload;
    int m_listener = -1;
    std::uint32_t m_type = 99;
    std::thread m_thread;
};

TEST(SwayIpc, SendsTheMessageAndReturnsTheReplyPayload) {
    struct Case {
        SwayMessage type;
        std::string payload, reply;
    };
    const Case cases[] = {
        {SwayMessage::kGetTree, "", kTree},
        {SwayMessage::kRunCommand, "[con_id=12] focus", R"([{"success": true}])"},
    };
    for (const Case& c : cases) {
        FakeSwaySocket sway(c.reply);
        EXPECT_EQ(SwayRequest(sway.Path(), c.type, c.payload), c.reply);
        sway.Finish();
        EXPECT_EQ(sway.Type(), static_cast<std::uint32_t>(c.type));
        EXPECT_EQ(sway.Payload(), c.payload);
    }
    EXPECT_EQ(SwayRequest("/nonexistent/sway-ipc.sock", SwayMessage::kGetTree, ""), std::nullopt);
    EXPECT_EQ(SwayRequest("", SwayMessage::kGetTree, ""), std::nullopt);
}

}  // namespace
}  // namespace nl::wayland
