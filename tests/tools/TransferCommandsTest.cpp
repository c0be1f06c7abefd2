// kl840t ports, and download and upload in a script: a device that refuses the
// user, a time limit, and a serial device that goes away mid-transfer.
#include "kl840t/TransferCommands.h"
#include "support/FakeSerialDeviceSource.h"
#include "support/PtyEnd.h"
#include "support/SocatPair.h"
#include "support/TempHome.h"

#include <sstream>

using TransferCommandsTest = TempHomeTest;

TEST_F(TransferCommandsTest, PortsListsTheDevicesAndARefusedOneNamesTheGroupToJoin) {
    FakeSerialDeviceSource source;
    source.found = {BuiltInPort("/dev/ttyS0"), UsbAdapter("/dev/serial/by-id/usb-Orvela_A", "/dev/ttyUSB0")};
    source.refused["/dev/ttyS0"] = "dialout";
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"set-port", "3", "/dev/ttyS0"}, err, err), kExitOk);
    EXPECT_EQ(RunCommandLine({"ports"}, out, err), kExitOk);
    EXPECT_EQ(out.str(), "COM1\t/dev/serial/by-id/usb-Orvela_A\t/dev/ttyUSB0\tOrvela USB cable\t1d6b:0840\tyes\n"
                         "COM3\t/dev/ttyS0\t/dev/ttyS0\t\t-\tno, join the group dialout\n");

    SetTransferDevices([](const std::string&) { return nullptr; }, &SystemClock());
    EXPECT_EQ(RunCommandLine({"download", "--port", "/dev/ttyS0"}, out, err), kExitFailure);
    SetTransferDevices({}, nullptr);
    EXPECT_NE(err.str().find("cannot open /dev/ttyS0: permission denied; join the group dialout"), std::string::npos);
}

TEST_F(TransferCommandsTest, ATransferEndsWithItsOwnExitCodeWhenTimedOutOrTheDeviceGoes) {
    if (!SocatPair::Available())
        GTEST_SKIP() << "socat is not installed";
    // The command (the port and --dir follow); what the handheld sends, the cable
    // being pulled as soon as the tool answers it (nullptr: the cable stays); the
    // exit code and what the tool says.
    const std::tuple<std::vector<std::string>, const char*, int, const char*> cases[] = {
        {{"download", "--timeout", "1"}, nullptr, 3, "timed out"},
        {{"upload", "telephone", "--timeout=1"}, nullptr, 3, "timed out"},
        {{"upload", "telephone"}, "", 4, "went away"}, // pulled at the first announce
        {{"download"}, "?\x05", 4, "went away"},       // pulled while the tool echoes an announce
        {{"download", "--timeout", "0.5"}, nullptr, 2, "whole seconds"},
    };
    const std::string emptyTelephoneBook("T\0\0\0L", 5);
    for (const auto& [command, pullAfter, exitCode, says] : cases) {
        SCOPED_TRACE(testing::PrintToString(command));
        WriteFileBytes(m_temp.Data() / "840.0", emptyTelephoneBook);
        SocatPair cable;
        ASSERT_TRUE(cable.Ready()) << cable.Log();
        std::vector<std::string> arguments{KL840T_CLI_PATH};
        arguments.insert(arguments.end(), command.begin(), command.end());
        arguments.insert(arguments.end(), {"--port", cable.Second(), "--dir", m_temp.Data().string()});
        ChildProcess tool(arguments, true);
        if (pullAfter) {
            PtyEnd handheld(cable.First());
            ASSERT_TRUE(tool.WaitForOutput("Waiting for the KL840T", 5000));
            handheld.Write(pullAfter);
            ASSERT_EQ(handheld.Read(1, 5000).size(), 1u) << "the transfer is under way";
            cable.Kill();
        }
        EXPECT_EQ(tool.WaitForExit(5000), exitCode) << tool.Output();
        EXPECT_NE(tool.Output().find(says), std::string::npos) << tool.Output();
        EXPECT_EQ(ReadFileBytes(m_temp.Data() / "840.0"), emptyTelephoneBook);
    }
}
