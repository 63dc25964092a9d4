#pragma once

namespace nl {

class CToolRegistry;

// Adds the on-screen ruler, a window of its own that the magnifier can follow.
void RegisterRuler(CToolRegistry& tools);

}  // namespace nl
