#pragma once

namespace nl {

// A repeating timer: once started it ticks every period until stopped. The program drives
// it with the event loop's timer, tests tick it by hand.
class ITickTimer {
public:
    virtual ~ITickTimer() = default;
    virtual void Start(int periodMs) = 0;
    virtual void Stop() = 0;
    virtual bool IsRunning() const = 0;
};

}  // namespace nl
