// kl840t ports, and the message of a device that refuses the user.
#include "kl840t/CommandLine.h"
#include "kl840t/TransferCommands.h"
#include "support/FakeSerialDeviceSource.h"
#include "support/FakeSerialDevices.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class PortCommandsTest : public TempHomeTest {
protected:
    FakeSerialDeviceSource m_source;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(PortCommandsTest, PortsListsEachDeviceWithItsPortNumberAndWhetherItOpens) {
    m_temp.InstallDeliveredProfile();
    m_source.found = {BuiltInPort("/dev/ttyS0"), UsbAdapter("/dev/serial/by-id/usb-Orvela_A", "/dev/ttyUSB0"),
                      BuiltInPort("/dev/ttyS7")};
    m_source.refused["/dev/ttyS0"] = "dialout";
    EXPECT_EQ(RunCommandLine({"set-port", "3", "/dev/ttyS0"}, m_out, m_err), kExitOk);
    m_out.str("");
    EXPECT_EQ(RunCommandLine({"ports"}, m_out, m_err), kExitOk);
    EXPECT_EQ(m_out.str(), "COM1\t/dev/serial/by-id/usb-Orvela_A\t/dev/ttyUSB0\tOrvela USB cable\t1d6b:0840\tyes\n"
                           "COM2\t/dev/ttyS7\t/dev/ttyS7\t\t-\tyes\n"
                           "COM3\t/dev/ttyS0\t/dev/ttyS0\t\t-\tno, join the group dialout\n");
}

TEST_F(PortCommandsTest, ATransferOnARefusedDeviceNamesTheGroupToJoin) {
    VirtualLinkClock clock{0};
    FakeSerialDevices devices(clock);
    devices.missing = {"/dev/ttyUSB3", "/dev/ttyUSB4"};
    SetTransferDevices(devices.Opener(), &clock);
    m_source.refused["/dev/ttyUSB3"] = "uucp";
    EXPECT_EQ(RunCommandLine({"download", "--port", "/dev/ttyUSB3"}, m_out, m_err), kExitFailure);
    EXPECT_NE(m_err.str().find("permission denied; join the group uucp"), std::string::npos) << m_err.str();
    EXPECT_EQ(RunCommandLine({"download", "--port", "/dev/ttyUSB4"}, m_out, m_err), kExitFailure);
    EXPECT_NE(m_err.str().find("cannot open /dev/ttyUSB4 (missing"), std::string::npos) << m_err.str();
    SetTransferDevices({}, nullptr);
}

} // namespace
