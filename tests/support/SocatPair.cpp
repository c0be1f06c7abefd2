// Two pseudo-terminals joined by socat: a serial cable without hardware.
#include "support/SocatPair.h"

#include <regex>

SocatPair::SocatPair() {
    if (!Available())
        return;
    // Raw and without echo, both ends pass every byte unchanged.
    m_socat = std::make_unique<ChildProcess>(
        std::vector<std::string>{"socat", "-d", "-d", "pty,raw,echo=0", "pty,raw,echo=0"}, true);
    // socat names each end on a line "... PTY is /dev/pts/N" and is ready to
    // carry bytes once it says it starts its transfer loop.
    if (!m_socat->Started() || !m_socat->WaitForOutput("starting data transfer loop", 5000))
        return;
    std::regex ptyLine("PTY is (\\S+)");
    const std::string& log = m_socat->Output();
    auto names = std::sregex_iterator(log.begin(), log.end(), ptyLine);
    for (auto match = names; match != std::sregex_iterator(); ++match) {
        if (m_first.empty())
            m_first = (*match)[1];
        else if (m_second.empty())
            m_second = (*match)[1];
    }
}

void SocatPair::Kill() {
    if (m_socat)
        m_socat->Kill();
}
