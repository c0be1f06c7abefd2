// The system's serial devices as the ports find them: a pseudo-terminal stands in for a USB adapter.
#include "link/SystemSerialDevices.h"

#include "link/ProcessComPort.h"
#include "link/QtSerialDevice.h"
#include "support/PtyEnd.h"
#include "support/ScopedComPort.h"
#include "support/SocatPair.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class SystemSerialDevicesTest : public TempHomeTest {};

TEST_F(SystemSerialDevicesTest, AnAdapterWithAStableNameIsWhatCom1Opens) {
    if (!SocatPair::Available())
        GTEST_SKIP() << "socat is not installed";
    SocatPair pair;
    ASSERT_TRUE(pair.Ready()) << pair.Log();
    const std::filesystem::path folder = m_temp.Home() / "by-id";
    const std::filesystem::path stableName = folder / "usb-Orvela_KL840T_Cable_0001-if00-port0";
    std::filesystem::create_directory(folder);
    std::filesystem::create_symlink(pair.First(), stableName);
    std::filesystem::create_symlink(m_temp.Home() / "unplugged", folder / "usb-Orvela_Gone-if00-port0");

    SystemSerialDevices source(folder);
    SerialDeviceSource* previous = InstallSerialDeviceSource(&source);
    ScopedComPort port(QtSerialDevice::Open, SystemClock());
    const bool opened = OpenComPort(1);
    InstallSerialDeviceSource(previous);
    ASSERT_TRUE(opened);
    PtyEnd far(pair.Second());
    ComWriteByte(0x5A);
    EXPECT_EQ(far.Read(1, 2000), "\x5A");

    const std::vector<FoundSerialDevice> found = source.List();
    auto adapter = std::find_if(found.begin(), found.end(), [&](auto& f) { return f.device == stableName; });
    ASSERT_NE(adapter, found.end());
    EXPECT_TRUE(adapter->usb);
    EXPECT_EQ(adapter->systemName, std::filesystem::canonical(pair.First()));
    EXPECT_EQ(std::count_if(found.begin(), found.end(), [](auto& f) { return f.device.find("Gone") != f.device.npos; }),
              0)
        << "a link to no device names nothing";
}

} // namespace
