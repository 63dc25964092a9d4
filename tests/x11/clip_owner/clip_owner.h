#pragma once
#include <xcb/xcb.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace nl::test {

// What a test clipboard owner offers and how it answers.
struct ClipOwnerSetup {
    int types = 10;             // application/x-type-0 ... besides UTF8_STRING
    bool answerData = false;    // false: answers TARGETS and never the data requests
    std::size_t dataBytes = 0;  // the size of every format's data
    std::size_t partBytes = 0;  // data larger than this goes in parts (INCR); 0: never
};

// The byte at `offset` of every format's data.
inline std::uint8_t ClipOwnerByte(std::size_t offset) {
    return static_cast<std::uint8_t>(offset % 251);
}

// Another client owning the CLIPBOARD selection on a connection of its own, served by a thread
// until destroyed or until another client takes the selection.
class ClipOwner {
public:
    // Connects to DISPLAY and takes the selection; Owning() is false when it could not.
    explicit ClipOwner(ClipOwnerSetup setup);
    ~ClipOwner();
    ClipOwner(const ClipOwner&) = delete;
    ClipOwner& operator=(const ClipOwner&) = delete;

    bool Owning() const { return m_owning; }
    // Data requests seen so far (TARGETS not counted).
    int DataRequests() const { return m_dataRequests; }

private:
    struct Transfer {
        xcb_window_t requestor = XCB_NONE;
        xcb_atom_t property = XCB_NONE;
        xcb_atom_t type = XCB_NONE;
        std::size_t sent = 0;
        bool active = false;
    };
    void Serve();
    void Answer(const xcb_selection_request_event_t& request);
    void SendPart();

    ClipOwnerSetup m_setup;
    xcb_connection_t* m_c = nullptr;
    xcb_window_t m_window = XCB_NONE;
    xcb_atom_t m_clipboard = XCB_NONE, m_targets = XCB_NONE, m_incr = XCB_NONE;
    std::vector<xcb_atom_t> m_offered;
    Transfer m_transfer;
    std::atomic<bool> m_owning{false};
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_dataRequests{0};
    std::thread m_thread;
};

}  // namespace nl::test
