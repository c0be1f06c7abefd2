// The real port layer over a pseudo-terminal pair as COM1, named in the profile or found as an adapter.
#include "link/QtSerialDevice.h"

#include "link/SystemSerialDevices.h"
#include "support/PollUntil.h"
#include "support/PtyEnd.h"
#include "support/ScopedComPort.h"
#include "support/SocatPair.h"
#include "support/TempHome.h"

#include <chrono>

namespace {

// COM1 is one end of the pair; the test plays the handheld at the other end.
class QtSerialDeviceTest : public TempHomeTest {
protected:
    void SetUp() override {
        if (!SocatPair::Available())
            GTEST_SKIP() << "socat is not installed (scripts/setup installs it)";
        ASSERT_TRUE(m_pair.Ready()) << m_pair.Log();
        m_temp.WriteProfile("[interface]\nCOM1=" + m_pair.First() + "\n");
    }

    SocatPair m_pair;
    VirtualLinkClock m_clock;
    ScopedComPort m_port{&QtSerialDevice::Open, m_clock};
};

// True when a file descriptor of this process refers to the device, also
// after the device has been removed.
bool ProcessHoldsOpen(const std::string& device) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        if (target == device || target == device + " (deleted)")
            return true;
    }
    return false;
}

// Bytes that a terminal would swallow or translate (XON, XOFF, CR, LF,
// interrupt characters) all occur in packets.
TEST_F(QtSerialDeviceTest, EveryByteValueCrossesUnchangedBothWaysWithoutAnEventLoop) {
    ASSERT_TRUE(OpenComPort(1));
    PtyEnd handheld(m_pair.Second());
    ASSERT_TRUE(handheld.IsOpen());
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes += static_cast<char>(value);
    const std::uint32_t start = m_clock.NowMs();
    for (char byte : bytes)
        ComWriteByte(static_cast<unsigned char>(byte));
    EXPECT_EQ(handheld.Read(bytes.size(), 3000), bytes);
    EXPECT_EQ(m_clock.NowMs() - start, 256u * 8) << "paced";

    ASSERT_TRUE(handheld.Write(bytes));
    ASSERT_TRUE(PollUntil([] { return ComBytesWaiting() == 256; })) << ComBytesWaiting();
    std::string received;
    for (size_t i = 0; i < bytes.size(); ++i)
        received += static_cast<char>(ComReadByte());
    EXPECT_EQ(received, bytes);
    EXPECT_EQ(ComBytesWaiting(), 0);
    EXPECT_EQ(ComReadByte(), 0);
}

TEST_F(QtSerialDeviceTest, DevicesThatCannotBeOpenedGiveFalseAndLeaveThePortClosed) {
    const std::filesystem::path regularFile = m_temp.Home() / "not-a-terminal";
    WriteFileBytes(regularFile, "data");
    for (const std::string& device : {std::string("/dev/kl840t-no-such-device"), regularFile.string()}) {
        SCOPED_TRACE(device);
        m_temp.WriteProfile("[interface]\nCOM3=" + device + "\n");
        EXPECT_FALSE(OpenComPort(3));
        EXPECT_FALSE(m_port.Port().IsOpen());
        EXPECT_EQ(ComBytesWaiting(), 0);
    }
}

TEST_F(QtSerialDeviceTest, ADeviceInUseDoesNotOpen) {
    ASSERT_TRUE(OpenComPort(1));
    EXPECT_EQ(QtSerialDevice::Open(m_pair.First()), nullptr);
    CloseComPort();
    EXPECT_NE(QtSerialDevice::Open(m_pair.First()), nullptr) << "closing releases it";
}

TEST_F(QtSerialDeviceTest, AVanishedDeviceNeitherHangsNorCrashes) {
    ASSERT_TRUE(OpenComPort(1));
    PtyEnd handheld(m_pair.Second());
    ASSERT_TRUE(handheld.Write("?"));
    ASSERT_TRUE(PollUntil([] { return ComBytesWaiting() == 1; }));
    ASSERT_TRUE(ProcessHoldsOpen(m_pair.First()));

    m_pair.Kill();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 50; ++i) {
        ComWriteByte(0x2E);
        ComBytesWaiting();
        ComReadByte();
    }
    EXPECT_TRUE(PollUntil([] { return ComBytesWaiting() == 0; }));
    EXPECT_EQ(ComReadByte(), 0);
    EXPECT_FALSE(ProcessHoldsOpen(m_pair.First())) << "the vanished device is released before the port is closed";
    CloseComPort();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// A pseudo-terminal under a stable USB name stands in for an adapter plugged in.
TEST_F(QtSerialDeviceTest, AnAdapterWithAStableNameIsWhatCom1Opens) {
    m_temp.WriteProfile("[interface]\n");
    const std::filesystem::path folder = m_temp.Home() / "by-id";
    std::filesystem::create_directory(folder);
    std::filesystem::create_symlink(m_pair.First(), folder / "usb-Orvela_KL840T_Cable_0001-if00-port0");
    std::filesystem::create_symlink(folder / "unplugged", folder / "usb-Orvela_Gone-if00-port0");
    SystemSerialDevices source(folder);
    SerialDeviceSource* previous = InstallSerialDeviceSource(&source);
    EXPECT_TRUE(OpenComPort(1));
    InstallSerialDeviceSource(previous);
    PtyEnd far(m_pair.Second());
    ComWriteByte(0x5A);
    EXPECT_EQ(far.Read(1, 2000), "\x5A");
}

} // namespace
