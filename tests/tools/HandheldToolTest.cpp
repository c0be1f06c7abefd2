// The stand-alone handheld over a real pseudo-terminal pair, and its command line.
#include "handheld/HandheldToolOptions.h"
#include "handheld/SampleSections.h"
#include "handheld/SectionPackets.h"

#include "LiteralPc.h"
#include "support/SocatPair.h"
#include "link/ComPort.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The PC's end of the cable, raw, without Qt.
class RawTerminalDevice final : public SerialDevice {
public:
    explicit RawTerminalDevice(int fd) : m_fd(fd) {}
    ~RawTerminalDevice() override { close(m_fd); }
    static std::unique_ptr<SerialDevice> Open(const std::string& name) {
        int fd = open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return nullptr;
        termios settings{};
        tcgetattr(fd, &settings);
        cfmakeraw(&settings);
        tcsetattr(fd, TCSANOW, &settings);
        return std::make_unique<RawTerminalDevice>(fd);
    }
    bool ConfigureLine() override {
        tcflush(m_fd, TCIOFLUSH);
        return true;
    }
    int BytesWaiting() override {
        unsigned char buffer[256];
        ssize_t count;
        while ((count = read(m_fd, buffer, sizeof buffer)) > 0)
            m_input.append(reinterpret_cast<char*>(buffer), static_cast<std::size_t>(count));
        return static_cast<int>(m_input.size());
    }
    bool ReadByte(unsigned char& byte) override {
        if (BytesWaiting() == 0)
            return false;
        byte = static_cast<unsigned char>(m_input[0]);
        m_input.erase(0, 1);
        return true;
    }
    bool WriteByte(unsigned char byte) override { return write(m_fd, &byte, 1) == 1; }

private:
    int m_fd;
    std::string m_input;
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Two short packets: at the real pace a transfer then takes seconds, not minutes.
std::string SmallSection(char letter) {
    std::string file;
    for (int packet = 0; packet < 2; ++packet) {
        const std::size_t length = packet == 0 ? 300 : 100;
        file += {letter, static_cast<char>(packet), static_cast<char>(length & 0xFF), static_cast<char>(length >> 8),
                 packet == 0 ? 'N' : 'L'};
        for (std::size_t i = 5; i < length; ++i)
            file += static_cast<char>((i * 13 + static_cast<std::size_t>(packet)) & 0xFF);
    }
    return file;
}

TEST(HandheldToolTest, DownloadsAndTakesAnUploadOverAPseudoTerminal) {
    if (!SocatPair::Available())
        GTEST_SKIP() << "socat is not installed";
    SocatPair cable;
    ASSERT_TRUE(cable.Ready());
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("kl840t-handheld-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory);
    const std::string telephone = SmallSection('T');
    ASSERT_GT(SplitPackets(telephone)->size(), 1u);
    WriteFile(directory / "840.0", telephone);

    ChildProcess handheld({KL840T_BINARY_DIR "/tools/handheld/kl840t-handheld", "--port", cable.First(), "--dir",
                           directory.string(), "--send", "telephone", "--rest-ms", "300", "--corrupt-frame", "2",
                           "--pc-corrupt-frame", "3"},
                          true);
    ASSERT_TRUE(handheld.WaitForOutput("listening", 5000)) << handheld.Output();

    // The port is opened by COM number; here every number is the cable's end.
    ComPort direct([&](const std::string&) { return RawTerminalDevice::Open(cable.Second()); }, SystemClock());
    ASSERT_TRUE(direct.Open(1));
    std::optional<std::string> downloaded = LiteralPc(direct, 60000).Download();
    ASSERT_TRUE(downloaded.has_value()) << handheld.Output();
    EXPECT_TRUE(*downloaded == telephone);

    // The PC uploads a schedule while the handheld keeps offering its telephone book.
    const std::string schedule = SmallSection('S');
    EXPECT_TRUE(LiteralPc(direct, 60000).Upload(schedule)) << handheld.Output();
    for (int i = 0; i < 50 && ReadFile(directory / "840.1") != schedule; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(ReadFile(directory / "840.1") == schedule) << handheld.Output();
    // The sections it did not have were filled with the samples.
    EXPECT_EQ(ReadFile(directory / "840.2"), SampleSection('E'));
    handheld.Kill();
    std::filesystem::remove_all(directory);
}

TEST(HandheldToolTest, ReadsItsCommandLine) {
    struct Case {
        std::vector<std::string> arguments;
        bool valid;
    };
    const std::vector<Case> cases = {
        {{"--port", "/dev/pts/9", "--send", "re-dict", "--transfers", "2", "--corrupt-frame", "2,5", "--pc-noise",
          "10%", "--burst", "--silent-after", "40"},
         true},
        {{"--write-samples", "/tmp/x"}, true},
        {{"--send", "telephone"}, false},
        {{"--port", "x", "--send", "memo"}, false},
        {{"--port", "x", "--corrupt-frame", "0"}, false},
        {{"--port", "x", "--noise", "150%"}, false},
        {{"--port", "x", "--transfers"}, false},
        {{"--port", "x", "--unknown", "1"}, false},
        {{"--port", "x", "--bogus"}, false},
    };
    for (const Case& test : cases) {
        std::string error;
        std::optional<HandheldToolOptions> options = ParseHandheldToolOptions(test.arguments, error);
        EXPECT_EQ(options.has_value(), test.valid) << test.arguments[0] << " " << error;
    }
    std::string error;
    auto options = ParseHandheldToolOptions(cases[0].arguments, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->sendLetter, 'R');
    EXPECT_EQ(options->transfers, 2);
    EXPECT_EQ(options->faults.fromHandheld.corruptFrame.at, (std::vector<int>{2, 5}));
    EXPECT_DOUBLE_EQ(options->faults.fromPc.noise.chance, 0.1);
    EXPECT_TRUE(options->faults.burst);
    EXPECT_EQ(options->faults.silentFromMessage, 40);
}

} // namespace
