#pragma once

namespace nl {

class CToolRegistry;

// Adds the Gauge: its measuring toolbar over the measurements view.
void RegisterGauge(CToolRegistry& tools);

}  // namespace nl
