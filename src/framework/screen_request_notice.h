#pragma once
#include <optional>
#include <string>

#include "platform/IScreenSource.h"

namespace nl {

class CPrefs;

// What the status bar says about one event of a screenshot asked of the desktop: before the
// first one asked in this setup, that the desktop is about to ask the user and how to be
// asked no more (said once: the side settings remember it); while a request goes long
// unanswered, that the program waits for it. Nothing otherwise.
std::optional<std::string> ScreenRequestNotice(CPrefs& prefs, ScreenRequestEvent event);

}  // namespace nl
