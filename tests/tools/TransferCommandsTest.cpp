// kl840t download and upload in a script: a time limit, and a serial device that goes away mid-transfer.
#include "support/ChildProcess.h"
#include "support/PtyEnd.h"
#include "support/SocatPair.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <iterator>

namespace {

const std::string kEmptyTelephoneBook("T\0\0\0L", 5);

struct Case {
    const char* name;
    std::vector<std::string> arguments; // the port and --dir follow
    std::function<void(SocatPair&, ChildProcess&)> meanwhile;
    int exitCode;
    const char* says;
};

class TransferCommandsTest : public TempHomeTest {
protected:
    void SetUp() override {
        if (!SocatPair::Available())
            GTEST_SKIP() << "socat is not installed";
    }
};

TEST_F(TransferCommandsTest, ATransferEndsWithItsOwnExitCodeWhenTimedOutOrTheDeviceGoes) {
    // Once the tool waits, the far end says something (or nothing), sees the tool answer, and the cable is pulled.
    const auto pullCable = [](std::string say, char answer) {
        return [say, answer](SocatPair& cable, ChildProcess& tool) {
            PtyEnd handheld(cable.First());
            ASSERT_TRUE(tool.WaitForOutput("Waiting for the KL840T", 5000));
            handheld.Write(say);
            ASSERT_EQ(handheld.Read(1, 5000), std::string(1, answer)) << "the transfer is under way";
            cable.Kill();
        };
    };
    const Case cases[] = {
        {"download, handheld silent", {"download", "--timeout", "1"}, nullptr, 3, "timed out"},
        {"upload, handheld silent", {"upload", "telephone", "--timeout=1"}, nullptr, 3, "timed out"},
        {"upload, cable pulled", {"upload", "telephone"}, pullCable("", '?'), 4, "went away"},
        {"download, cable pulled", {"download"}, pullCable(std::string("?\x05\0", 3), '.'), 4, "went away"},
        {"a timeout that is no number of seconds", {"download", "--timeout", "0.5"}, nullptr, 2, "whole seconds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(m_temp.Data() / "840.0", kEmptyTelephoneBook);
        SocatPair cable;
        ASSERT_TRUE(cable.Ready()) << cable.Log();
        std::vector<std::string> arguments{KL840T_CLI_PATH};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        arguments.insert(arguments.end(), {"--port", cable.Second(), "--dir", m_temp.Data().string()});
        const auto start = std::chrono::steady_clock::now();
        ChildProcess tool(arguments, true);
        if (c.meanwhile)
            c.meanwhile(cable, tool);
        EXPECT_EQ(tool.WaitForExit(10000), c.exitCode) << tool.Output();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_NE(tool.Output().find(c.says), std::string::npos) << tool.Output();
        EXPECT_EQ(ReadFileBytes(m_temp.Data() / "840.0"), kEmptyTelephoneBook);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_temp.Data()), {}), 1)
            << "nothing left beside the section file";
    }
}

} // namespace
