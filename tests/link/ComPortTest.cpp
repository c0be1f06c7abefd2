// The port layer over fake devices in virtual time: closed-port rules, opening and reading, and the
// devices the port numbers stand for.
#include "link/ComPort.h"

#include "link/ComDeviceName.h"
#include "support/FakeSerialDeviceSource.h"
#include "support/FakeSerialDevices.h"
#include "support/ScopedComPort.h"
#include "support/TempHome.h"

#include <ctime>

namespace {

// The profile is empty, so COM<n> is /dev/ttyS<n-1>.
const std::string kCom1 = "/dev/ttyS0", kCom2 = "/dev/ttyS1";

using ComPortTest = TempHomeTest;

TEST_F(ComPortTest, EveryOperationOnAClosedOrDeadPortIsHarmless) {
    enum class Closed { NeverOpened, OpenFailed, ClosedTwice, Unplugged };
    for (Closed how : {Closed::NeverOpened, Closed::OpenFailed, Closed::ClosedTwice, Closed::Unplugged}) {
        SCOPED_TRACE(static_cast<int>(how));
        VirtualLinkClock clock(100);
        FakeSerialDevices devices(clock);
        ScopedComPort port(devices.Opener(), clock);
        if (how == Closed::OpenFailed)
            devices.missing.insert(kCom1);
        EXPECT_EQ(how == Closed::NeverOpened || OpenComPort(1), how != Closed::OpenFailed);
        if (how == Closed::ClosedTwice) {
            CloseComPort();
            CloseComPort();
        }
        if (how == Closed::Unplugged)
            devices.Unplug();
        devices.inputQueue = "AB";

        EXPECT_EQ(ComBytesWaiting(), 0);
        EXPECT_EQ(ComReadByte(), 0);
        EXPECT_EQ(devices.readsIssued, 0);
        std::uint32_t before = clock.NowMs();
        ComWriteByte(0x3F);
        EXPECT_EQ(clock.NowMs() - before, 8u);
        EXPECT_TRUE(devices.written.empty());
        CloseComPort();
        EXPECT_FALSE(port.Port().IsOpen());
    }
}

TEST_F(ComPortTest, TheRealClockSleepsWithoutKeepingTheProcessorBusy) {
    ComPort port(SerialDeviceOpener(), SystemClock());
    const std::clock_t cpuBefore = std::clock();
    const std::uint32_t before = SystemClock().NowMs();
    port.Wait(100);
    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    EXPECT_GE(SystemClock().NowMs() - before, 100u);
    EXPECT_LT(cpuMs, 50.0);
}

// Opening closes whatever was open first: the device is exclusive, so had the
// first open not been closed, the same device could not open again. Stale bytes
// are purged only when the line's settings could be read; the bytes waiting are
// read in order, and no read is issued on an empty queue.
TEST_F(ComPortTest, OpeningClosesWhateverWasOpenAndPurgesOnlyWhenTheSettingsCanBeRead) {
    // The port opened second, whether its device is missing, whether its
    // settings can be read, the devices open after it, and what it reads.
    const std::tuple<int, bool, bool, std::vector<std::string>, std::string> cases[] = {
        {1, false, true, {kCom1}, ""},
        {2, false, false, {kCom2}, "stale"},
        {2, true, true, {}, ""},
    };
    for (const auto& [second, missing, readable, openAfter, bytes] : cases) {
        SCOPED_TRACE(testing::Message() << "COM" << second << (missing ? ", missing" : "")
                                        << (readable ? "" : ", settings unreadable"));
        VirtualLinkClock clock;
        FakeSerialDevices devices(clock);
        ScopedComPort port(devices.Opener(), clock);
        if (missing)
            devices.missing.insert(kCom2);
        ASSERT_TRUE(OpenComPort(1));
        devices.settingsReadable = readable;
        devices.inputQueue = "stale";
        EXPECT_EQ(OpenComPort(second), !missing);
        EXPECT_EQ(port.Port().IsOpen(), !missing);
        EXPECT_EQ(devices.openNow, openAfter);
        EXPECT_EQ(devices.linesConfigured, readable && !missing ? 2 : 1);
        std::string read;
        while (ComBytesWaiting() > 0)
            read += static_cast<char>(ComReadByte());
        EXPECT_EQ(read, bytes);
        EXPECT_EQ(ComReadByte(), 0);
        EXPECT_EQ(devices.readsIssued, static_cast<int>(read.size()));
    }
}

// The devices found take the port numbers in a stable order; the profile's own choice wins.
TEST(ComDeviceNameTest, DevicesFoundTakeThePortNumbersInAStableOrder) {
    const std::string a = "/dev/serial/by-id/usb-Orvela_A", b = "/dev/serial/by-id/usb-Orvela_B", s = "/dev/ttyS";
    struct Case {
        const char* name;
        std::vector<FoundSerialDevice> found;
        std::vector<std::string> named, expected;
    };
    const Case cases[] = {
        {"nothing found", {}, {}, {s + "0", s + "1", s + "2", s + "3"}},
        {"adapters by stable name, then other ports; a port left over keeps its own",
         {BuiltInPort(s + "10"), UsbAdapter(b, "/dev/ttyUSB0"), UsbAdapter(a, "/dev/ttyUSB1")},
         {},
         {a, b, s + "10", s + "3"}},
        {"a named device wins, under either name; numbers compare as numbers",
         {UsbAdapter(a, "/dev/ttyUSB0"), BuiltInPort(s + "10"), BuiltInPort(s + "9")},
         {"", "/dev/ttyUSB0"},
         {s + "9", "/dev/ttyUSB0", s + "10", s + "3"}},
        {"a taken built-in port gives way to the first free one",
         {},
         {"", "", "", s + "2"},
         {s + "0", s + "1", s + "3", s + "2"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComDevices(c.found, c.named), c.expected) << c.name;
}

} // namespace
