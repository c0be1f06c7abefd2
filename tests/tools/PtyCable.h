// A pair of pseudo-terminals joined by socat, for running the stand-alone handheld in a test.
#pragma once

#include "support/ChildProcess.h"

#include <memory>
#include <string>

class PtyCable {
public:
    PtyCable();
    bool Ready() const { return !m_ends[0].empty() && !m_ends[1].empty(); }
    const std::string& End(int index) const { return m_ends[index]; }
    static bool Available() { return ChildProcess::OnPath("socat"); }

private:
    std::unique_ptr<ChildProcess> m_socat;
    std::string m_ends[2];
};
