// A pseudo-terminal under a stable USB name stands in for an adapter plugged in: COM1 opens it.
#include "link/SystemSerialDevices.h"

#include "link/ProcessComPort.h"
#include "link/QtSerialDevice.h"
#include "support/PtyEnd.h"
#include "support/ScopedComPort.h"
#include "support/SocatPair.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

class SystemSerialDevicesTest : public TempHomeTest {};

TEST_F(SystemSerialDevicesTest, AnAdapterWithAStableNameIsWhatCom1Opens) {
    SocatPair pair;
    ASSERT_TRUE(pair.Ready()) << pair.Log();
    const std::filesystem::path folder = m_temp.Home() / "by-id";
    std::filesystem::create_directory(folder);
    std::filesystem::create_symlink(pair.First(), folder / "usb-Orvela_KL840T_Cable_0001-if00-port0");
    std::filesystem::create_symlink(folder / "unplugged", folder / "usb-Orvela_Gone-if00-port0");
    SystemSerialDevices source(folder);
    SerialDeviceSource* previous = InstallSerialDeviceSource(&source);
    ScopedComPort port(QtSerialDevice::Open, SystemClock());
    EXPECT_TRUE(OpenComPort(1));
    InstallSerialDeviceSource(previous);
    PtyEnd far(pair.Second());
    ComWriteByte(0x5A);
    EXPECT_EQ(far.Read(1, 2000), "\x5A");
}

} // namespace
