// The stand-alone handheld's command line.
#include "handheld/HandheldToolOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(HandheldToolTest, ReadsItsCommandLine) {
    const std::vector<std::string> refused[] = {
        {"--send", "telephone"},
        {"--port", "x", "--send", "memo"},
        {"--port", "x", "--corrupt-frame", "0"},
        {"--port", "x", "--noise", "150%"},
        {"--port", "x", "--transfers"},
        {"--port", "x", "--bogus"},
    };
    std::string error;
    for (const auto& arguments : refused) {
        EXPECT_FALSE(ParseHandheldToolOptions(arguments, error)) << testing::PrintToString(arguments);
        EXPECT_NE(error, "");
    }
    EXPECT_TRUE(ParseHandheldToolOptions({"--write-samples", "/tmp/x"}, error));
    // The fault options are read as the simulation's tests stage them.
    auto options = ParseHandheldToolOptions(
        {"--port", "/dev/pts/9", "--send", "re-dict", "--transfers", "2", "--burst", "--silent-after", "40"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->sendLetter, 'R');
    EXPECT_EQ(options->transfers, 2);
    EXPECT_TRUE(options->faults.burst);
    EXPECT_EQ(options->faults.silentFromMessage, 40);
}

} // namespace
