// The on-screen keyboard's animation timer, behind an interface so that tests drive time themselves.
#pragma once

#include <functional>

class CKeyboardTimer {
public:
    virtual ~CKeyboardTimer() = default;

    // Calls onTick every ms milliseconds until stopped, with the number of periods gone by since
    // the last call (more than 1 when the program was too busy to keep up). False when the timer
    // cannot run.
    virtual bool Start(int ms, std::function<void(int ticks)> onTick) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
};
