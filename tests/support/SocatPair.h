// Two pseudo-terminals joined by socat: a serial cable without hardware.
#pragma once

#include "support/ChildProcess.h"

#include <string>

// What is written to one end can be read at the other, byte for byte. Killing
// socat makes both ends vanish, as a pulled USB adapter does.
class SocatPair {
public:
    SocatPair();

    // False when socat is missing or did not report both ends in time.
    bool Ready() const { return !m_first.empty() && !m_second.empty(); }
    const std::string& First() const { return m_first; }
    const std::string& Second() const { return m_second; }
    // What socat said while starting, for a failure message.
    std::string Log() const { return Available() ? m_socat.Output() : "socat not found"; }
    void Kill() { m_socat.Kill(); }

    static bool Available() { return ChildProcess::OnPath("socat"); }

private:
    ChildProcess m_socat;
    std::string m_first;
    std::string m_second;
};
