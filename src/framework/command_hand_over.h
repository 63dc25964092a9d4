#pragma once
// A start of the program that only hands a command to the instance that runs already does so
// before the toolkit and the platform services start: what it sends, and where.
#include <functional>
#include <optional>
#include <string>

#include "framework/program_options.h"
#include "platform/instance_request.h"

namespace nl {

// The name under which the program's one instance for the user listens.
inline constexpr char kProgramInstanceName[] = "Nerim NerimLens";

// The value of an environment variable; null when it is not set.
using EnvironmentReader = std::function<const char*(const char*)>;

// Whether the toolkit, started in this environment, would run on its Wayland platform: as
// QT_QPA_PLATFORM says when it is set, else in a Wayland session (WAYLAND_DISPLAY set or
// XDG_SESSION_TYPE "wayland").
bool RunsOnWayland(const EnvironmentReader& environment);

// The request that a start with `options` hands the running instance without starting itself:
// only a start for a command with no other argument (a document, a settings override or a
// toolkit option takes the whole start to be read). It carries the activation token the whole
// start would send (the Wayland token on Wayland, the X11 startup id elsewhere). Nothing for any
// other start.
std::optional<InstanceRequest> CommandOnlyRequest(const ProgramOptions& options,
                                                  const EnvironmentReader& environment);

// The socket on which the running instance `name` listens: in the user's runtime folder
// (XDG_RUNTIME_DIR). Nothing when that is not set: the toolkit then makes a folder of its own,
// which only the whole start finds.
std::optional<std::string> RunningInstanceSocket(std::string_view name,
                                                 const EnvironmentReader& environment);

// Writes a request line to the running instance's socket and tells how it went.
using InstanceSender = std::function<HandOver(const std::string& socket, std::string_view line)>;

// Hands a start's bare command to the running instance without starting the program: the exit
// code when the instance took it (0) or kept silent (1, with the reason in `error`); nothing
// when the whole start has to run: the start is more than a command, no instance listens (none
// runs, or it is starting), or it dropped the request (it may be ending, and the whole start
// takes its place).
std::optional<int> HandCommandOver(const ProgramOptions& options,
                                   const EnvironmentReader& environment, const InstanceSender& send,
                                   std::string* error);

}  // namespace nl
