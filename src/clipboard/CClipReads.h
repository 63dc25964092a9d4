#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "platform/IClipboard.h"

namespace nl {

// The viewer's reads of the clipboard, made one at a time: a read waits in the queue until
// the one before it was answered, so an owner that never answers holds at most one request
// (which its time limit ends). Cancel drops the queue and the outstanding request, whose
// answer is then never delivered; the destructor cancels too.
class CClipReads {
public:
    explicit CClipReads(IClipboard& clipboard) : m_clipboard(clipboard) {}
    ~CClipReads() { Cancel(); }
    CClipReads(const CClipReads&) = delete;
    CClipReads& operator=(const CClipReads&) = delete;

    void ReadNames(IClipboard::NamesDone done);
    // Reads at most `maxBytes` of format `name` (0: its size only).
    void Read(std::string name, std::size_t maxBytes, IClipboard::ReadDone done);
    void Cancel();
    // No read waiting or outstanding.
    bool Idle() const { return !m_outstanding && m_queue.empty(); }

private:
    struct Job {
        std::string name;
        std::size_t maxBytes = 0;
        IClipboard::NamesDone names;
        IClipboard::ReadDone read;
    };
    // Sends the next job unless one is outstanding.
    void Next();

    IClipboard& m_clipboard;
    std::deque<Job> m_queue;
    std::uint64_t m_generation = 0;  // bumped by Cancel: older answers are dropped
    bool m_outstanding = false;
    bool m_sending = false;  // inside Next: answers given at once do not send again
};

}  // namespace nl
