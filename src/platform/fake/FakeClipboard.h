#pragma once
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/IClipboard.h"

namespace nl {

// An in-memory clipboard holding a list of formats. Text is kept as "text/plain" in UTF-8,
// a picture as "image/bmp". A test can make the next writes fail with a system error code;
// a failed write leaves the contents as they were. Requests that do not wait are answered at
// once, unless the test holds them to play a slow owner: a held request (and every request
// after it) waits until the test lets the time limit elapse.
class FakeClipboard final : public IClipboard {
public:
    std::uint32_t SetText(const std::string& text) override;
    std::optional<std::string> Text() const override;
    std::uint32_t SetImage(const BitmapImage& image) override;
    std::optional<BitmapImage> Image() const override;
    std::uint32_t SetFormats(const std::vector<ClipboardFormat>& formats) override;
    std::vector<ClipboardFormat> Formats() const override { return m_formats; }
    std::vector<std::string> FormatNames() const override;
    std::optional<std::vector<std::uint8_t>> Data(const std::string& name) const override;
    std::uint32_t Clear() override;
    void SetChangeListener(ChangeListener listener) override { m_listener = std::move(listener); }
    void RequestFormatNames(NamesDone done) override;
    void RequestData(const std::string& name, std::size_t maxBytes, ReadDone done) override;
    void CancelRequests() override { m_waiting.clear(); }

    // Holds the requests for the data of the formats named in `names` ("*": every format),
    // and with `namesToo` the requests for the format names, as an owner that never answers.
    void HoldRequests(std::vector<std::string> names, bool namesToo = false);
    // The time limit of the first waiting request elapses: it ends as timed out, and the
    // requests after it that are not held are answered. False when none was waiting.
    bool ElapseTimeLimit();
    // The owner answers again: the waiting requests are answered, none is held from now on.
    void Release();
    std::size_t WaitingCount() const { return m_waiting.size(); }
    // The most requests that were waiting at one time.
    std::size_t MostWaiting() const { return m_mostWaiting; }
    // Requests made so far.
    int RequestCount() const { return m_requests; }

    // Every write (Set and Clear) fails with `code` from now on (0 lets them succeed again).
    void FailWith(std::uint32_t code) { m_failure = code; }
    // Writes tried so far, failed ones included.
    int WriteCount() const { return m_writes; }

private:
    // A request not yet answered: `name` empty for the format names.
    struct Request {
        std::string name;
        std::size_t maxBytes = 0;
        NamesDone names;
        ReadDone read;
    };
    void Submit(Request request);
    bool Held(const Request& request) const;
    void Answer(Request& request);
    void AnswerUnheld();

    // Replaces the contents with `formats` unless writes fail; returns 0 or the failure.
    std::uint32_t Replace(std::vector<ClipboardFormat> formats);
    const ClipboardFormat* Find(std::string_view name) const;

    std::vector<ClipboardFormat> m_formats;
    ChangeListener m_listener;
    std::uint32_t m_failure = 0;
    int m_writes = 0;
    std::deque<Request> m_waiting;
    std::vector<std::string> m_held;
    bool m_namesHeld = false;
    bool m_answering = false;
    std::size_t m_mostWaiting = 0;
    int m_requests = 0;
};

}  // namespace nl
