// Which device each of COM1 to COM4 names, with and without the profile's choice.
#include "link/ComDeviceName.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ComDeviceNameTest = TempHomeTest;

TEST_F(ComDeviceNameTest, ProfileChoiceOrTheBuiltInPort) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows names its ports COM1 to COM4 itself";
#endif
    struct Case {
        const char* name;
        std::string profile;
        int number;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"no profile, first port", "", 1, "/dev/ttyS0"},
        {"no profile, fourth port", "", 4, "/dev/ttyS3"},
        {"chosen", "[interface]\nCOM1=/dev/pts/5\n", 1, "/dev/pts/5"},
        {"another port's choice", "[interface]\nCOM1=/dev/pts/5\n", 2, "/dev/ttyS1"},
        {"any case, blanks and quotes", "[Interface]\ncom3 = \"/dev/ttyUSB0\" \n", 3, "/dev/ttyUSB0"},
        {"only section interface counts", "[russian]\nCOM1=/dev/pts/9\n", 1, "/dev/ttyS0"},
        {"an empty choice stays empty", "[interface]\nCOM2=\n", 2, ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        m_temp.WriteProfile(test.profile);
        EXPECT_EQ(ComDeviceName(test.number), test.expected);
    }
}

} // namespace
