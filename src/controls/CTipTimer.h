// The tip window's show timer, behind an interface so that tests drive time themselves.
#pragma once

#include <functional>

class CTipTimer {
public:
    virtual ~CTipTimer() = default;

    // Calls onTimeout every ms milliseconds until stopped; a second start restarts it.
    virtual void Start(int ms, std::function<void()> onTimeout) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
};
