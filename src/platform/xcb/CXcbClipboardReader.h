#pragma once
#include <xcb/xcb.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/ISelectionReader.h"

namespace nl::x11 {

// Reads the CLIPBOARD selection on a connection to the X server of its own, in a worker
// thread, so that an owner that answers slowly or never holds up nobody but the worker. Each
// request converts the selection to one target and waits at most the time limit for each
// answer of the owner (the notification, and each part of a transfer in parts); data past
// the size asked for is not transferred (its size comes from the property's length or the
// owner's announcement of a transfer in parts). A requestor window whose owner may still
// write to it (a request that timed out or was given up) is retired for a fresh one, so that
// a late answer cannot be taken for the next request's.
class CXcbClipboardReader final : public ISelectionReader {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{400};
    // The most targets taken from an owner's list.
    static constexpr std::size_t kMaxTargets = 4096;

    // Connects to `display` (null: DISPLAY); null when the server cannot be reached.
    static std::unique_ptr<CXcbClipboardReader> Open(
        const char* display = nullptr, std::chrono::milliseconds timeLimit = kDefaultTimeLimit);
    ~CXcbClipboardReader() override;
    CXcbClipboardReader(const CXcbClipboardReader&) = delete;
    CXcbClipboardReader& operator=(const CXcbClipboardReader&) = delete;

    void RequestFormatNames(IClipboard::NamesDone done) override;
    void RequestData(const std::string& name, std::size_t maxBytes,
                     IClipboard::ReadDone done) override;
    void Cancel() override;

private:
    struct Request {
        std::string target;  // empty: the target list
        std::size_t maxBytes = 0;
        IClipboard::NamesDone names;
        IClipboard::ReadDone read;
        std::uint64_t generation = 0;
    };
    enum class Wait { kArrived, kTimedOut, kGivenUp };

    CXcbClipboardReader(xcb_connection_t* c, xcb_window_t root, std::chrono::milliseconds timeLimit,
                        int wake[2]);
    void Run();
    void Serve(const Request& request);
    std::optional<std::vector<std::string>> ReadTargets(const Request& request);
    ClipboardRead ReadTarget(const Request& request);
    // Converts the selection to `target` and waits for the owner's notification: kArrived with
    // `*property` the property written (XCB_NONE: refused).
    Wait Convert(xcb_atom_t target, const Request& request, xcb_atom_t* property);
    // Waits for the owner's next part of a transfer in parts.
    Wait NextPart(const Request& request);
    // Waits until `arrived` accepts an event of the connection or the time limit passes.
    template <class Accept>
    Wait WaitFor(const Request& request, Accept arrived);
    bool GivenUp(const Request& request) const;
    xcb_atom_t Intern(const std::string& name);
    // Replaces the requestor window, keeping the last few alive for their late writers.
    void RetireWindow();

    xcb_connection_t* m_c;
    xcb_window_t m_root;
    xcb_window_t m_window = XCB_NONE;
    std::deque<xcb_window_t> m_retired;
    std::chrono::milliseconds m_timeLimit;
    xcb_atom_t m_clipboard = XCB_NONE, m_targets = XCB_NONE, m_incr = XCB_NONE,
               m_property = XCB_NONE;
    int m_wake[2];

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Request> m_queue;
    std::uint64_t m_generation = 0;
    bool m_stop = false;
    std::thread m_worker;
};

}  // namespace nl::x11
