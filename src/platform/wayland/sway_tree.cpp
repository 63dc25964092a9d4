#include "platform/wayland/sway_tree.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <nlohmann/json.hpp>

namespace nl::wayland {
namespace {

using Json = nlohmann::json;

constexpr std::string_view kMagic = "i3-ipc";
constexpr std::size_t kHeaderSize = kMagic.size() + 2 * sizeof(std::uint32_t);
// Sway answers at once; a stalled compositor must not hang the program.
constexpr int kReplyTimeoutSeconds = 1;
// The hidden output that holds the scratchpad.
constexpr std::string_view kScratchpadOutput = "__i3";

Rect JsonRect(const Json& node, const char* key) {
    const auto it = node.find(key);
    if (it == node.end() || !it->is_object()) return {};
    const int x = it->value("x", 0), y = it->value("y", 0);
    return {x, y, x + it->value("width", 0), y + it->value("height", 0)};
}

std::string JsonText(const Json& node, const char* key) {
    const auto it = node.find(key);
    return it != node.end() && it->is_string() ? it->get<std::string>() : std::string();
}

bool IsView(const Json& node) {
    return node.contains("app_id") || node.contains("window_properties") ||
           (node.contains("pid") && node.value("nodes", Json::array()).empty());
}

SwayView MakeView(const Json& node) {
    SwayView view;
    view.id = node.value("id", std::uint64_t{0});
    const Rect rect = JsonRect(node, "rect");
    const Rect inner = JsonRect(node, "window_rect");
    view.content = {rect.left + inner.left, rect.top + inner.top, rect.left + inner.right,
                    rect.top + inner.bottom};
    // A floating view's rectangle leaves out its title bar, which sits right above it; a
    // tiled view's holds the title bar above the content.
    const int title = JsonRect(node, "deco_rect").Height();
    view.frame = rect;
    if (title > 0 && inner.top < title) view.frame.top -= title;
    view.title = JsonText(node, "name");
    view.focused = node.value("focused", false);
    view.className = JsonText(node, "app_id");
    if (view.className.empty())
        if (const auto props = node.find("window_properties");
            props != node.end() && props->is_object())
            view.className = JsonText(*props, "class");
    return view;
}

struct Collected {
    std::vector<SwayView> fullscreen, floating, tiled;
};

// Views below `node`; `floating` once inside a floating container.
void CollectViews(const Json& node, bool floating, Collected& out) {
    if (IsView(node)) {
        if (!node.value("visible", true)) return;
        const bool full = node.value("fullscreen_mode", 0) != 0;
        (full ? out.fullscreen : floating ? out.floating : out.tiled).push_back(MakeView(node));
        return;
    }
    if (const auto it = node.find("nodes"); it != node.end() && it->is_array())
        for (const Json& child : *it) CollectViews(child, floating, out);
    // Floating containers are kept bottom to top: the last one is raised highest.
    if (const auto it = node.find("floating_nodes"); it != node.end() && it->is_array())
        for (auto child = it->rbegin(); child != it->rend(); ++child)
            CollectViews(*child, true, out);
}

// The workspaces each output shows now.
void CollectOutputs(const Json& root, Collected& out) {
    const auto outputs = root.find("nodes");
    if (outputs == root.end() || !outputs->is_array()) return;
    for (const Json& output : *outputs) {
        if (JsonText(output, "name") == kScratchpadOutput) continue;
        const std::string current = JsonText(output, "current_workspace");
        const auto workspaces = output.find("nodes");
        if (workspaces == output.end() || !workspaces->is_array()) continue;
        for (const Json& workspace : *workspaces)
            if (current.empty() || JsonText(workspace, "name") == current)
                CollectViews(workspace, false, out);
    }
}

bool SendAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent <= 0) return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

bool ReadAll(int fd, char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t got = ::recv(fd, data, size, 0);
        if (got <= 0) return false;
        data += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

std::vector<SwayView> ParseSwayTree(std::string_view json) {
    const Json root = Json::parse(json, nullptr, false);
    if (root.is_discarded() || !root.is_object()) return {};
    Collected views;
    CollectOutputs(root, views);
    std::vector<SwayView> all = std::move(views.fullscreen);
    all.insert(all.end(), views.floating.begin(), views.floating.end());
    all.insert(all.end(), views.tiled.begin(), views.tiled.end());
    return all;
}

std::string SwayMessageHeader(SwayMessage type, std::size_t payloadLength) {
    std::string header(kMagic);
    const auto length = static_cast<std::uint32_t>(payloadLength);
    const auto code = static_cast<std::uint32_t>(type);
    header.append(reinterpret_cast<const char*>(&length), sizeof length);
    header.append(reinterpret_cast<const char*>(&code), sizeof code);
    return header;
}

std::optional<std::string> SwayRequest(const std::string& socketPath, SwayMessage type,
                                       std::string_view payload) {
    sockaddr_un address{};
    if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path) return std::nullopt;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::nullopt;
    const timeval timeout{kReplyTimeoutSeconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::optional<std::string> reply;
    const std::string message = SwayMessageHeader(type, payload.size()) + std::string(payload);
    char header[kHeaderSize];
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        SendAll(fd, message.data(), message.size()) && ReadAll(fd, header, sizeof header) &&
        std::string_view(header, kMagic.size()) == kMagic) {
        std::uint32_t length = 0;
        std::memcpy(&length, header + kMagic.size(), sizeof length);
        std::string body(length, '\0');
        if (ReadAll(fd, body.data(), body.size())) reply = std::move(body);
    }
    ::close(fd);
    return reply;
}

}  // namespace nl::wayland
