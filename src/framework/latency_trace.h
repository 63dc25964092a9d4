#pragma once

namespace nl {

// The variable that turns the latency trace on (any value).
inline constexpr char kLatencyTraceVariable[] = "NL_LATENCY_TRACE";

// Where NL_LATENCY_TRACE is set, writes "nerimlens-latency STAGE SECONDS" to stderr, SECONDS
// on CLOCK_MONOTONIC (the clock of Python's time.monotonic), so that a benchmark script can
// place the program's stages among its own times. Otherwise does nothing.
void TraceLatency(const char* stage);
// Whether NL_LATENCY_TRACE is set.
bool LatencyTraceEnabled();

}  // namespace nl
