#include "clipboard/CClipReads.h"

#include <utility>

namespace nl {

void CClipReads::ReadNames(IClipboard::NamesDone done) {
    m_queue.push_back({{}, 0, std::move(done), {}});
    Next();
}

void CClipReads::Read(std::string name, std::size_t maxBytes, IClipboard::ReadDone done) {
    m_queue.push_back({std::move(name), maxBytes, {}, std::move(done)});
    Next();
}

void CClipReads::Cancel() {
    ++m_generation;
    m_queue.clear();
    if (m_outstanding) m_clipboard.CancelRequests();
    m_outstanding = false;
}

void CClipReads::Next() {
    if (m_sending) return;
    m_sending = true;
    // An answer given before the request returns lands here again, so that a long queue of
    // such answers is a loop rather than a recursion.
    while (!m_outstanding && !m_queue.empty()) {
        Job job = std::move(m_queue.front());
        m_queue.pop_front();
        m_outstanding = true;
        const std::uint64_t generation = m_generation;
        // Each answer comes once; its job's callback is moved into the answer.
        auto finish = [this, generation](auto&& deliver) {
            if (generation != m_generation) return;
            m_outstanding = false;
            deliver();
            Next();
        };
        if (job.names)
            m_clipboard.RequestFormatNames([finish, done = std::move(job.names)](
                                               std::optional<std::vector<std::string>> names) {
                finish([&] { done(std::move(names)); });
            });
        else
            m_clipboard.RequestData(job.name, job.maxBytes,
                                    [finish, done = std::move(job.read)](ClipboardRead read) {
                                        finish([&] { done(std::move(read)); });
                                    });
    }
    m_sending = false;
}

}  // namespace nl
