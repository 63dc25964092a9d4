#pragma once
#include <cstddef>
#include <string>

#include "platform/IClipboard.h"

namespace nl {

// Reads the clipboard contents another program owns away from the user-interface thread, one
// request at a time in the order made, each within a time limit. Each request's `done` runs
// once on a thread of the reader's own; Cancel gives up the requests not yet answered (their
// `done` is then not called, unless it is already running).
class ISelectionReader {
public:
    virtual ~ISelectionReader() = default;
    virtual void RequestFormatNames(IClipboard::NamesDone done) = 0;
    virtual void RequestData(const std::string& name, std::size_t maxBytes,
                             IClipboard::ReadDone done) = 0;
    virtual void Cancel() = 0;
};

}  // namespace nl
