#pragma once
// The later start's side of the single instance without the toolkit: a request line written
// straight to the running instance's local socket, for a start that only hands it a command.
#include <string>
#include <string_view>

#include "platform/instance_request.h"

namespace nl {

// Connects to the local (AF_UNIX) stream socket at `socketPath`, writes `line` (a request
// made by FormatInstanceRequest) and waits up to `answerTimeoutMs` for the answer line.
HandOver HandRequestToInstance(const std::string& socketPath, std::string_view line,
                               int answerTimeoutMs);

}  // namespace nl
