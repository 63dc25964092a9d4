#include "platform/local/instance_client.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/instance_request.h"
#include "platform/local/posix_files.h"

namespace nl {

namespace {

using Clock = std::chrono::steady_clock;

// Writes all of `data`, retrying interrupted and partial writes; false when the peer went
// away (without the signal a closed peer raises by default).
bool SendAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

}  // namespace

HandOver HandRequestToInstance(const std::string& socketPath, std::string_view line,
                               int answerTimeoutMs) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // A path the address cannot hold is one no listener can have bound either.
    if (socketPath.empty() || socketPath.size() >= sizeof(address.sun_path))
        return HandOver::kNoListener;
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    posix::Fd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.IsOpen()) return HandOver::kNoListener;
    int connected = -1;
    do {
        connected =
            ::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    } while (connected < 0 && errno == EINTR);
    if (connected < 0) return HandOver::kNoListener;
    if (!SendAll(socket.Get(), line)) return HandOver::kDropped;

    // The answer may come with the instance closing the connection.
    const auto deadline = Clock::now() + std::chrono::milliseconds(answerTimeoutMs);
    std::string answer;
    while (answer.find('\n') == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return HandOver::kUnanswered;
        pollfd readable{socket.Get(), POLLIN, 0};
        const int ready = ::poll(&readable, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return HandOver::kDropped;
        if (ready == 0) return HandOver::kUnanswered;
        char buffer[64];
        const ssize_t got = ::recv(socket.Get(), buffer, sizeof(buffer), 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        answer.append(buffer, static_cast<std::size_t>(got));
    }
    return answer.starts_with(kInstanceTakenAnswer) ? HandOver::kTaken : HandOver::kDropped;
}

}  // namespace nl
