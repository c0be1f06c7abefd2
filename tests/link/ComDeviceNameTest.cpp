// Which device each port number opens: the order of the devices found, and the profile's own choice.
#include "link/ComDeviceName.h"

#include "link/ProcessComPort.h"
#include "support/FakeSerialDeviceSource.h"
#include "support/FakeSerialDevices.h"
#include "support/ScopedComPort.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

const std::string kById = "/dev/serial/by-id/usb-Orvela_Cable_";

TEST(ComDeviceNameTest, DefaultsFollowTheDevicesFound) {
    struct Case {
        const char* name;
        std::vector<FoundSerialDevice> found;
        std::vector<std::string> named;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"nothing found", {}, {}, {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"}},
        {"adapters by stable name, then other ports; a port left over keeps its own",
         {BuiltInPort("/dev/ttyAMA0"), UsbAdapter(kById + "B", "/dev/ttyUSB0"),
          UsbAdapter(kById + "A", "/dev/ttyUSB1")},
         {},
         {kById + "A", kById + "B", "/dev/ttyAMA0", "/dev/ttyS3"}},
        {"an adapter without a stable name after those with one",
         {UsbAdapter("/dev/ttyACM0", "/dev/ttyACM0"), UsbAdapter(kById + "Z", "/dev/ttyUSB0")},
         {},
         {kById + "Z", "/dev/ttyACM0", "/dev/ttyS2", "/dev/ttyS3"}},
        {"a built-in port found is not given twice; numbers compare as numbers",
         {BuiltInPort("/dev/ttyS10"), BuiltInPort("/dev/ttyS1"), BuiltInPort("/dev/ttyS2")},
         {},
         {"/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyS3"}},
        {"a device found under both its names counts once",
         {UsbAdapter(kById + "A", "/dev/ttyUSB0"), UsbAdapter("/dev/ttyUSB0", "/dev/ttyUSB0")},
         {},
         {kById + "A", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"}},
        {"a device named for a port wins there and is no other port's",
         {UsbAdapter(kById + "A", "/dev/ttyUSB0"), BuiltInPort("/dev/ttyAMA0")},
         {"", "/dev/ttyUSB0", "", "/dev/ttyS2"},
         {"/dev/ttyAMA0", "/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyS2"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComDevices(c.found, c.named), c.expected) << c.name;
}

class ComDeviceNameProfileTest : public TempHomeTest {
protected:
    VirtualLinkClock m_clock{0};
    FakeSerialDevices m_devices{m_clock};
    ScopedComPort m_port{m_devices.Opener(), m_clock};
    FakeSerialDeviceSource m_source;
};

TEST_F(ComDeviceNameProfileTest, AnAdapterPluggedInIsCom1UnlessTheProfileNamesADevice) {
    m_source.found = {UsbAdapter(kById + "A", "/dev/ttyUSB0")};
    const std::pair<std::string, std::string> steps[] = {
        {"", kById + "A"}, {"/dev/ttyS5", "/dev/ttyS5"}, {"", kById + "A"}};
    for (const auto& [named, opened] : steps) {
        ASSERT_TRUE(WriteComDeviceName(1, named));
        ASSERT_TRUE(OpenComPort(1));
        EXPECT_EQ(m_devices.namesOpened.back(), opened) << "named: " << named;
    }
}

} // namespace
