#pragma once

namespace nl {

class CToolRegistry;

// Adds the Color Picker: its form with the live color above the list of picked colors.
void RegisterColorPicker(CToolRegistry& tools);

}  // namespace nl
