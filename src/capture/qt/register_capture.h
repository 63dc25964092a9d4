#pragma once

namespace nl {

class CToolRegistry;

// Adds the Screen Copier: its toolbar view with the shape buttons above the captured image.
void RegisterScreenCopier(CToolRegistry& tools);

}  // namespace nl
