// The order in which the devices found take the port numbers, and the profile's own choice.
#include "link/ComDeviceName.h"

#include "support/FakeSerialDeviceSource.h"

#include <gtest/gtest.h>

namespace {

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
