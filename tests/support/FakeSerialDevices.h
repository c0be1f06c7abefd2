// Serial devices in memory: the test decides what opens and what arrives, and sees what was written and when.
#pragma once

#include "link/LinkClock.h"
#include "link/SerialDevice.h"

#include <set>
#include <vector>

// Any name opens unless it is listed as missing or a device of that name is
// open already (ports are exclusive). Bytes "from the handheld" queue up in
// the input queue of whichever device is open; purging empties it. The object
// must outlive every device it opened.
class FakeSerialDevices {
public:
    explicit FakeSerialDevices(LinkClock& clock) : m_clock(clock) {}
    FakeSerialDevices(const FakeSerialDevices&) = delete;
    FakeSerialDevices& operator=(const FakeSerialDevices&) = delete;

    SerialDeviceOpener Opener();

    // Set up by the test.
    std::set<std::string> missing;
    bool settingsReadable = true;
    std::string inputQueue;
    void Unplug() { m_unplugged = true; }

    // Seen by the test.
    struct Written {
        std::uint32_t atMs;
        unsigned char byte;
    };
    std::vector<Written> written;
    std::vector<std::string> openNow;
    int linesConfigured = 0;
    int readsIssued = 0;

private:
    class Device;
    LinkClock& m_clock;
    bool m_unplugged = false;
};
