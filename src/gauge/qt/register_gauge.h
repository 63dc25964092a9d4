#pragma once

namespace nl {

class CToolRegistry;

// Adds the Gauge (its form; the plain list stands below it for now).
void RegisterGauge(CToolRegistry& tools);

}  // namespace nl
