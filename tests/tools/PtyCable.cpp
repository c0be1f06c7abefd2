// A pair of pseudo-terminals joined by socat, for running the stand-alone handheld in a test.
#include "PtyCable.h"

#include <regex>

PtyCable::PtyCable() {
    if (!Available())
        return;
    m_socat = std::make_unique<ChildProcess>(
        std::vector<std::string>{"socat", "-d", "-d", "pty,raw,echo=0", "pty,raw,echo=0"}, true);
    if (!m_socat->Started() || !m_socat->WaitForOutput("starting data transfer loop", 5000))
        return;
    std::regex ptyLine("PTY is (\\S+)");
    const std::string& log = m_socat->Output();
    int index = 0;
    for (auto match = std::sregex_iterator(log.begin(), log.end(), ptyLine);
         match != std::sregex_iterator() && index < 2; ++match)
        m_ends[index++] = (*match)[1];
}
