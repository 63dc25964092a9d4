#pragma once
// The later start's side of the single instance without the toolkit: a request line written
// straight to the running instance's local socket, for a start that only hands it a command.
#include <string>
#include <string_view>

namespace nl {

// How handing a request to the running instance went.
enum class HandOver {
    kNoListener,  // no socket at the path, or nobody listens on it: no instance is reachable
    kTaken,       // the instance answered that it took the request
    kDropped,     // the connection ended without the answer (the request refused, or the
                  // instance ending)
    kUnanswered,  // the connection stayed open without an answer until the time ran out
};

// Connects to the local (AF_UNIX) stream socket at `socketPath`, writes `line` (a request
// made by FormatInstanceRequest) and waits up to `answerTimeoutMs` for the answer line.
HandOver HandRequestToInstance(const std::string& socketPath, std::string_view line,
                               int answerTimeoutMs);

}  // namespace nl
