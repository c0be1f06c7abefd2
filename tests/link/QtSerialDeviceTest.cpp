// The real port layer over a pseudo-terminal pair as COM1, and over a real device when one is named.
#include "link/QtSerialDevice.h"

#include "link/ProcessComPort.h"
#include "support/ChildProcess.h"
#include "support/PollUntil.h"
#include "support/PtyEnd.h"
#include "support/ScopedComPort.h"
#include "support/SocatPair.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

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

// True when another open file holds the device's lock.
bool LockedByOthers(const std::string& device) {
    int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool locked = flock(fd, LOCK_EX | LOCK_NB) != 0;
    close(fd);
    return locked;
}

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

std::string AllByteValues() {
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes += static_cast<char>(value);
    return bytes;
}

TEST_F(QtSerialDeviceTest, BytesWrittenArriveUnchangedAndPaced) {
    ASSERT_TRUE(OpenComPort(1));
    PtyEnd handheld(m_pair.Second());
    ASSERT_TRUE(handheld.IsOpen());
    // Bytes that a terminal would swallow or translate (XON, XOFF, CR, LF,
    // interrupt characters) all occur in packets.
    const std::string bytes = AllByteValues();
    const std::uint32_t start = m_clock.NowMs();
    for (char byte : bytes)
        ComWriteByte(static_cast<unsigned char>(byte));
    EXPECT_EQ(handheld.Read(bytes.size(), 3000), bytes);
    EXPECT_EQ(m_clock.NowMs() - start, 256u * 8);
}

TEST_F(QtSerialDeviceTest, BytesFromTheOtherEndAreCountedAndReadWithoutAnEventLoop) {
    ASSERT_TRUE(OpenComPort(1));
    PtyEnd handheld(m_pair.Second());
    const std::string bytes = AllByteValues();
    ASSERT_TRUE(handheld.Write(bytes));

    ASSERT_TRUE(PollUntil([] { return ComBytesWaiting() == 256; })) << ComBytesWaiting();
    std::string received;
    for (size_t i = 0; i < bytes.size(); ++i)
        received += static_cast<char>(ComReadByte());
    EXPECT_EQ(received, bytes);
    EXPECT_EQ(ComBytesWaiting(), 0);
    EXPECT_EQ(ComReadByte(), 0);
}

TEST_F(QtSerialDeviceTest, TheLineIsSetForTheHandheldAndCarriesBytesRaw) {
    ASSERT_TRUE(OpenComPort(1));
    PtyEnd probe(m_pair.First());
    if (!probe.IsOpen())
        GTEST_SKIP() << "the terminal is held exclusively; its settings cannot be read beside the port";
    termios line{};
    ASSERT_EQ(tcgetattr(probe.Descriptor(), &line), 0);
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B2400));
    EXPECT_EQ(cfgetispeed(&line), static_cast<speed_t>(B2400));
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
}

TEST_F(QtSerialDeviceTest, DevicesThatCannotBeOpenedGiveFalseAndLeaveThePortClosed) {
    const std::filesystem::path regularFile = m_temp.Home() / "not-a-terminal";
    WriteFileBytes(regularFile, "data");
    struct Case {
        const char* name;
        std::string device;
    };
    const std::vector<Case> cases = {
        {"missing", "/dev/kl840t-no-such-device"},
        {"directory", m_temp.Home().string()},
        {"regular file", regularFile.string()},
        {"empty name", ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        m_temp.WriteProfile("[interface]\nCOM1=" + m_pair.First() + "\nCOM3=" + test.device + "\n");
        ASSERT_TRUE(OpenComPort(1));
        EXPECT_FALSE(OpenComPort(3));
        EXPECT_FALSE(m_port.Port().IsOpen());
        EXPECT_EQ(ComBytesWaiting(), 0);
        // The failed open released COM1 too.
        EXPECT_NE(QtSerialDevice::Open(m_pair.First()), nullptr);
    }
}

TEST_F(QtSerialDeviceTest, ADeviceInUseDoesNotOpen) {
    ASSERT_TRUE(OpenComPort(1));
    EXPECT_EQ(QtSerialDevice::Open(m_pair.First()), nullptr) << "second open by the same program";
    CloseComPort();

    if (!ChildProcess::OnPath("flock"))
        GTEST_SKIP() << "flock is not installed";
    // Without forking, so that killing the process releases the lock.
    ChildProcess other({"flock", "--no-fork", m_pair.First(), "sleep", "60"}, false);
    ASSERT_TRUE(PollUntil([this] { return LockedByOthers(m_pair.First()); }));
    EXPECT_FALSE(OpenComPort(1)) << "open by another process";
    other.Kill();
    EXPECT_TRUE(OpenComPort(1));
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

// A real device (a USB adapter, a built-in port) named by KL840T_TEST_DEVICE.
// With KL840T_TEST_LOOPBACK set, its receive and transmit lines are joined, so
// that what it sends comes back.
TEST_F(TempHomeTest, RealDeviceOpensAndCarriesBytes) {
    const char* device = std::getenv("KL840T_TEST_DEVICE");
    if (!device || !*device)
        GTEST_SKIP() << "set KL840T_TEST_DEVICE to a serial device to run this test";
    m_temp.WriteProfile(std::string("[interface]\nCOM1=") + device + "\n");
    VirtualLinkClock clock;
    ScopedComPort port(&QtSerialDevice::Open, clock);
    ASSERT_TRUE(OpenComPort(1));
    EXPECT_EQ(ComBytesWaiting(), 0) << "the input queue is purged on open";
    ComWriteByte(0x3F);
    if (std::getenv("KL840T_TEST_LOOPBACK")) {
        EXPECT_TRUE(PollUntil([] { return ComBytesWaiting() == 1; }));
        EXPECT_EQ(ComReadByte(), 0x3F);
    }
    CloseComPort();
}

} // namespace
