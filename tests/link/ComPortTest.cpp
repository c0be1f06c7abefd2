// The port layer over fake devices in virtual time: closed-port rules, opening and reading.
#include "link/ComPort.h"

#include "link/ProcessComPort.h"
#include "support/FakeSerialDevices.h"
#include "support/ScopedComPort.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

// The profile is empty, so COM<n> is /dev/ttyS<n-1>.
const std::string kCom1 = "/dev/ttyS0";
const std::string kCom2 = "/dev/ttyS1";

class ComPortTest : public TempHomeTest {
protected:
    VirtualLinkClock m_clock{5000};
    FakeSerialDevices m_devices{m_clock};
    ScopedComPort m_port{m_devices.Opener(), m_clock};
};

TEST_F(ComPortTest, EveryOperationOnAClosedOrDeadPortIsHarmless) {
    struct Case {
        const char* name;
        std::function<void(FakeSerialDevices&)> makeClosed;
    };
    const std::vector<Case> cases = {
        {"never opened", [](FakeSerialDevices&) {}},
        {"open failed",
         [](FakeSerialDevices& devices) {
             devices.missing.insert(kCom1);
             EXPECT_FALSE(OpenComPort(1));
         }},
        {"closed twice",
         [](FakeSerialDevices&) {
             ASSERT_TRUE(OpenComPort(1));
             CloseComPort();
             CloseComPort();
         }},
        {"device pulled out while open",
         [](FakeSerialDevices& devices) {
             ASSERT_TRUE(OpenComPort(1));
             devices.Unplug();
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        VirtualLinkClock clock(100);
        FakeSerialDevices devices(clock);
        ScopedComPort port(devices.Opener(), clock);
        test.makeClosed(devices);
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

TEST_F(ComPortTest, OpeningClosesWhateverWasOpenFirst) {
    struct Case {
        const char* name;
        int second;
        bool secondMissing;
        bool expectOpen;
        std::vector<std::string> openAfter;
    };
    const std::vector<Case> cases = {
        // The device is exclusive: had the first open not been closed, the
        // same device could not open again.
        {"same port again", 1, false, true, {kCom1}},
        {"another port", 2, false, true, {kCom2}},
        {"another port that is missing", 2, true, false, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        VirtualLinkClock clock;
        FakeSerialDevices devices(clock);
        ScopedComPort port(devices.Opener(), clock);
        if (test.secondMissing)
            devices.missing.insert(kCom2);
        ASSERT_TRUE(OpenComPort(1));
        EXPECT_EQ(OpenComPort(test.second), test.expectOpen);
        EXPECT_EQ(port.Port().IsOpen(), test.expectOpen);
        EXPECT_EQ(devices.openNow, test.openAfter);
    }
}

TEST_F(ComPortTest, OpeningConfiguresTheLineAndPurgesOnlyWhenTheSettingsCanBeRead) {
    for (bool readable : {true, false}) {
        SCOPED_TRACE(readable ? "settings readable" : "settings unreadable");
        VirtualLinkClock clock;
        FakeSerialDevices devices(clock);
        ScopedComPort port(devices.Opener(), clock);
        devices.settingsReadable = readable;
        devices.inputQueue = "stale";

        EXPECT_TRUE(OpenComPort(1));
        EXPECT_EQ(devices.linesConfigured, readable ? 1 : 0);
        EXPECT_EQ(ComBytesWaiting(), readable ? 0 : 5);
    }
}

TEST_F(ComPortTest, ReadsGiveTheWaitingBytesInOrderAndNeverIssueAReadOnAnEmptyQueue) {
    ASSERT_TRUE(OpenComPort(1));
    m_devices.inputQueue = std::string("\x00\x41\xFF", 3);
    EXPECT_EQ(ComBytesWaiting(), 3);
    EXPECT_EQ(ComReadByte(), 0x00);
    EXPECT_EQ(ComBytesWaiting(), 2);
    EXPECT_EQ(ComReadByte(), 0x41);
    EXPECT_EQ(ComReadByte(), 0xFF);
    EXPECT_EQ(ComBytesWaiting(), 0);
    EXPECT_EQ(ComReadByte(), 0);
    EXPECT_EQ(m_devices.readsIssued, 3);
}

TEST_F(ComPortTest, PortNumbersAreLookedUpInTheProfile) {
    m_temp.WriteProfile("[interface]\nCOM2=/dev/pts/7\n");
    EXPECT_TRUE(OpenComPort(2));
    EXPECT_TRUE(OpenComPort(4));
    EXPECT_EQ(m_devices.namesOpened, (std::vector<std::string>{"/dev/pts/7", "/dev/ttyS3"}));
}

} // namespace
