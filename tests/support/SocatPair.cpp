// Two pseudo-terminals joined by socat: a serial cable without hardware.
#include "support/SocatPair.h"

#include <sstream>

// Raw and without echo, both ends pass every byte unchanged.
SocatPair::SocatPair() : m_socat({"socat", "-d", "-d", "pty,raw,echo=0", "pty,raw,echo=0"}, true) {
    // socat names each end on a line "... PTY is /dev/pts/N" and is ready to
    // carry bytes once it says it starts its transfer loop. Without socat the
    // output ends at once.
    if (!m_socat.WaitForOutput("starting data transfer loop", 5000))
        return;
    std::istringstream log(m_socat.Output());
    for (std::string line; std::getline(log, line);)
        if (const auto at = line.find("PTY is "); at != std::string::npos)
            (m_first.empty() ? m_first : m_second) = line.substr(at + 7);
}
