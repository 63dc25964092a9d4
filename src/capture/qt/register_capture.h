#pragma once

namespace nl {

class CToolRegistry;

// Adds the Screen Copier (its form; the plain list stands below it for now).
void RegisterScreenCopier(CToolRegistry& tools);

}  // namespace nl
