#pragma once
// A start of the program that only hands a command to the instance that runs already does so
// before the toolkit and the platform services start: what it sends, and where.
#include <functional>
#include <optional>
#include <string>

#include "framework/program_options.h"
#include "platform/instance_request.h"

namespace nl {

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

}  // namespace nl
