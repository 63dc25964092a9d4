#pragma once

namespace nl {

class CToolRegistry;

// Adds the Magnifier: its form above the zoomed view of the area under the cursor.
void RegisterMagnifier(CToolRegistry& tools);

}  // namespace nl
