#include "platform/fake/FakeClipboard.h"

#include <algorithm>

#include "base/CSystemError.h"

namespace nl {

namespace {

ClipboardFormat MakeFormat(std::string_view name, std::vector<std::uint8_t> bytes) {
    return ClipboardFormat{std::string(name), std::move(bytes)};
}

}  // namespace

std::uint32_t FakeClipboard::SetText(const std::string& text) {
    return Replace({MakeFormat(kClipboardTextFormat, {text.begin(), text.end()})});
}

std::optional<std::string> FakeClipboard::Text() const {
    const ClipboardFormat* text = Find(kClipboardTextFormat);
    if (!text) return std::nullopt;
    return std::string(text->bytes.begin(), text->bytes.end());
}

std::uint32_t FakeClipboard::SetImage(const BitmapImage& image) {
    std::vector<std::uint8_t> file = EncodeBitmapFile(image);
    if (file.empty()) {
        ++m_writes;
        return kErrorInvalidParameter;
    }
    return Replace({MakeFormat(kClipboardBitmapFormat, std::move(file))});
}

std::optional<BitmapImage> FakeClipboard::Image() const {
    const ClipboardFormat* bitmap = Find(kClipboardBitmapFormat);
    if (!bitmap) return std::nullopt;
    return DecodeBitmapFile(bitmap->bytes);
}

std::uint32_t FakeClipboard::SetFormats(const std::vector<ClipboardFormat>& formats) {
    std::vector<ClipboardFormat> merged;
    for (const ClipboardFormat& format : formats) {
        const auto same = std::find_if(merged.begin(), merged.end(),
                                       [&](const auto& f) { return f.name == format.name; });
        if (same == merged.end())
            merged.push_back(format);
        else
            same->bytes = format.bytes;
    }
    return Replace(std::move(merged));
}

std::vector<std::string> FakeClipboard::FormatNames() const {
    std::vector<std::string> names;
    for (const ClipboardFormat& format : m_formats) names.push_back(format.name);
    return names;
}

std::optional<std::vector<std::uint8_t>> FakeClipboard::Data(const std::string& name) const {
    const ClipboardFormat* format = Find(name);
    if (!format) return std::nullopt;
    return format->bytes;
}

std::uint32_t FakeClipboard::Clear() {
    return Replace({});
}

void FakeClipboard::RequestFormatNames(NamesDone done) {
    Submit({{}, 0, std::move(done), {}});
}

void FakeClipboard::RequestData(const std::string& name, std::size_t maxBytes, ReadDone done) {
    Submit({name, maxBytes, {}, std::move(done)});
}

void FakeClipboard::HoldRequests(std::vector<std::string> names, bool namesToo) {
    m_held = std::move(names);
    m_namesHeld = namesToo;
}

void FakeClipboard::Release() {
    HoldRequests({});
    AnswerUnheld();
}

bool FakeClipboard::Held(const Request& request) const {
    if (request.name.empty()) return m_namesHeld;
    return std::any_of(m_held.begin(), m_held.end(),
                       [&](const std::string& n) { return n == "*" || n == request.name; });
}

void FakeClipboard::Submit(Request request) {
    ++m_requests;
    m_waiting.push_back(std::move(request));
    m_mostWaiting = std::max(m_mostWaiting, m_waiting.size());
    if (!m_answering) AnswerUnheld();
}

void FakeClipboard::Answer(Request& request) {
    if (request.names) {
        request.names(FormatNames());
        return;
    }
    const ClipboardFormat* format = Find(request.name);
    request.read(format ? CutRead(format->bytes, request.maxBytes) : ClipboardRead{});
}

void FakeClipboard::AnswerUnheld() {
    // Each answer may make new requests (which join the queue) or cancel the rest; they are
    // answered by this loop, not by calls inside the answer.
    if (m_answering) return;
    m_answering = true;
    while (!m_waiting.empty() && !Held(m_waiting.front())) {
        Request request = std::move(m_waiting.front());
        m_waiting.pop_front();
        Answer(request);
    }
    m_answering = false;
}

bool FakeClipboard::ElapseTimeLimit() {
    if (m_waiting.empty()) return false;
    Request request = std::move(m_waiting.front());
    m_waiting.pop_front();
    if (request.names)
        request.names(std::nullopt);
    else
        request.read({ClipboardReadStatus::kTimedOut, 0, {}});
    AnswerUnheld();
    return true;
}

std::uint32_t FakeClipboard::Replace(std::vector<ClipboardFormat> formats) {
    ++m_writes;
    if (m_failure != 0) return m_failure;
    m_formats = std::move(formats);
    if (m_listener) m_listener();
    return kErrorSuccess;
}

const ClipboardFormat* FakeClipboard::Find(std::string_view name) const {
    const auto it = std::find_if(m_formats.begin(), m_formats.end(),
                                 [&](const ClipboardFormat& f) { return f.name == name; });
    return it == m_formats.end() ? nullptr : &*it;
}

}  // namespace nl
