#include "framework/latency_trace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace nl {

bool LatencyTraceEnabled() {
    static const bool enabled = std::getenv(kLatencyTraceVariable) != nullptr;
    return enabled;
}

void TraceLatency(const char* stage) {
    if (!LatencyTraceEnabled()) return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "nerimlens-latency %s %lld.%09ld\n", stage,
                 static_cast<long long>(now.tv_sec), now.tv_nsec);
}

}  // namespace nl
