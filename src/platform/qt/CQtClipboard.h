#pragma once
#include <QByteArray>
#include <QMetaObject>
#include <QObject>
#include <cstdint>
#include <memory>

#include "platform/IClipboard.h"
#include "platform/ISelectionReader.h"

namespace nl {

// The system clipboard through Qt (needs a QGuiApplication). Formats are MIME types; a
// picture Qt holds as an image object is listed with its PNG bytes. The requests that do not
// wait go to `reader` (another program's contents, read away from the user-interface thread)
// and come back through the event loop; contents this program owns, and every request when
// there is no reader, are read through Qt in a posted call.
class CQtClipboard final : public IClipboard {
public:
    explicit CQtClipboard(std::unique_ptr<ISelectionReader> reader = nullptr);
    ~CQtClipboard() override;
    CQtClipboard(const CQtClipboard&) = delete;
    CQtClipboard& operator=(const CQtClipboard&) = delete;

    std::uint32_t SetText(const std::string& text) override;
    std::optional<std::string> Text() const override;
    std::uint32_t SetImage(const BitmapImage& image) override;
    std::optional<BitmapImage> Image() const override;
    std::uint32_t SetFormats(const std::vector<ClipboardFormat>& formats) override;
    std::vector<ClipboardFormat> Formats() const override;
    std::vector<std::string> FormatNames() const override;
    std::optional<std::vector<std::uint8_t>> Data(const std::string& name) const override;
    std::uint32_t Clear() override;
    void SetChangeListener(ChangeListener listener) override;
    void RequestFormatNames(NamesDone done) override;
    void RequestData(const std::string& name, std::size_t maxBytes, ReadDone done) override;
    void CancelRequests() override;

private:
    // The data of format `name` as Qt holds it (shared, not copied).
    std::optional<QByteArray> LocalData(const std::string& name) const;
    // Whether Qt has the contents at hand (this program owns them, or no reader).
    bool ReadsLocally() const;
    // Runs `call` on the user-interface thread from the event loop, unless the requests made
    // before it were cancelled since.
    void Post(std::function<void()> call);

    ChangeListener m_listener;
    // Receives the posted answers; the answers of a reader's thread wait for it in the queue.
    QObject m_receiver;
    std::unique_ptr<ISelectionReader> m_reader;  // ended before m_receiver
    std::uint64_t m_generation = 0;              // bumped by CancelRequests
    QMetaObject::Connection m_changed;
};

}  // namespace nl
