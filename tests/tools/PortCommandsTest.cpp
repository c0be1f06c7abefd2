// kl840t ports, and the message of a device that refuses the user.
#include "kl840t/CommandLine.h"
#include "kl840t/TransferCommands.h"
#include "support/FakeSerialDeviceSource.h"
#include "support/FakeSerialDevices.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class PortCommandsTest : public TempHomeTest {};

TEST_F(PortCommandsTest, PortsListsTheDevicesAndARefusedOneNamesTheGroupToJoin) {
    FakeSerialDeviceSource source;
    source.found = {BuiltInPort("/dev/ttyS0"), UsbAdapter("/dev/serial/by-id/usb-Orvela_A", "/dev/ttyUSB0")};
    source.refused["/dev/ttyS0"] = "dialout";
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"set-port", "3", "/dev/ttyS0"}, err, err), kExitOk);
    EXPECT_EQ(RunCommandLine({"ports"}, out, err), kExitOk);
    EXPECT_EQ(out.str(), "COM1\t/dev/serial/by-id/usb-Orvela_A\t/dev/ttyUSB0\tOrvela USB cable\t1d6b:0840\tyes\n"
                         "COM3\t/dev/ttyS0\t/dev/ttyS0\t\t-\tno, join the group dialout\n");

    VirtualLinkClock clock{0};
    FakeSerialDevices devices(clock);
    devices.missing = {"/dev/ttyS0"};
    SetTransferDevices(devices.Opener(), &clock);
    EXPECT_EQ(RunCommandLine({"download", "--port", "/dev/ttyS0"}, out, err), kExitFailure);
    SetTransferDevices({}, nullptr);
    EXPECT_NE(err.str().find("cannot open /dev/ttyS0: permission denied; join the group dialout"), std::string::npos);
}

} // namespace
