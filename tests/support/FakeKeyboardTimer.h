// An animation timer that ticks only when the test says so.
#pragma once

#include "keyboard/CKeyboardTimer.h"

class FakeKeyboardTimer final : public CKeyboardTimer {
public:
    bool Start(int, std::function<void(int)> onTick) override {
        m_onTick = std::move(onTick);
        m_active = m_canStart;
        return m_canStart;
    }
    void Stop() override { m_active = false; }
    bool IsActive() const override { return m_active; }

    // Ticks of the timer, as the event loop would deliver them; several at once stand for a
    // program that was too busy to take them one by one.
    void Fire(int ticks = 1) {
        if (m_active && m_onTick)
            m_onTick(ticks);
    }

    bool m_canStart = true;
    bool m_active = false;
    std::function<void(int)> m_onTick;
};
