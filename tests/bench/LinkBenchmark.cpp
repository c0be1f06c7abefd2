// How long uploads and downloads take over a pseudo-terminal with the
// stand-alone simulated handheld, against the least the protocol's pauses and
// the line allow, and how much processor time the PC side spends meanwhile.
#include "app/ProgramPaths.h"
#include "TransferTestSupport.h"
#include "handheld/SampleSections.h"
#include "link/ComPort.h"
#include "link/QtSerialDevice.h"
#include "link/SectionTransfer.h"
#include "support/ChildProcess.h"
#include "support/SocatPair.h"
#include "support/TempHome.h"

#include <QCoreApplication>

#include <chrono>
#include <memory>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr double kPcByteMs = 8.0;          // the PC's pause after every byte it writes
constexpr double kLineByteMs = 10.0 / 2.4; // ten bits at 2400 baud

// What every frame and handshake costs at the least, by the protocol's own pauses.
struct Minimum {
    static double Upload(const std::vector<int>& packets) {
        double ms = 0;
        for (int length : packets) {
            ms += 3 * kPcByteMs + 100 + kPcByteMs + 60; // announce, pause, go, pause
            for (int left = length; left > 0; left -= 128)
                ms += (std::min(left, 128) + 4) * kPcByteMs; // the ACK arrives within the last pause
        }
        return ms;
    }
    static double Download(const std::vector<int>& packets) {
        double ms = 0;
        for (int length : packets) {
            ms += 3 * kLineByteMs + 3 * kPcByteMs + kLineByteMs; // announce, echo, go
            for (int left = length; left > 0; left -= 128)
                ms += (std::min(left, 128) + 4) * kLineByteMs + kLineByteMs; // frame, then the ACK's way back
        }
        return ms;
    }
};

std::vector<int> PacketLengths(const std::string& section) {
    std::vector<int> lengths;
    for (std::size_t at = 0; at + 5 <= section.size();) {
        int length = static_cast<unsigned char>(section[at + 2]) | static_cast<unsigned char>(section[at + 3]) << 8;
        lengths.push_back(length);
        at += static_cast<std::size_t>(std::max(length, 5));
    }
    return lengths;
}

double CpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

class NoWindow : public LinkHost {
public:
    void DispatchMessages() override {}
    bool StopRequested() override { return false; }
};

void Report(const char* what, double wallMs, double minimumMs, double cpuMs, std::size_t bytes) {
    std::printf("%-9s %6zu bytes  wall %8.0f ms  minimum %8.0f ms  ratio %.3f  PC cpu %6.0f ms = %.2f%% of a core\n",
                what, bytes, wallMs, minimumMs, wallMs / minimumMs, cpuMs, 100.0 * cpuMs / wallMs);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the serial devices are Qt's
    TempHome home;
    const std::string section = SampleSection('E'); // several packets
    WriteFileBytes(home.Data() / "840.2", section);
    std::filesystem::create_directories(home.Data() / "handheld");
    std::filesystem::create_directories(home.Data() / "back");
    SocatPair cable;
    if (!cable.Ready()) {
        std::fprintf(stderr, "no pseudo-terminal pair: %s\n", cable.Log().c_str());
        return 1;
    }
    // One handheld for each direction, so that the one taking the upload is
    // not offering a section of its own meanwhile.
    auto startHandheld = [&](bool sending) {
        std::vector<std::string> arguments{KL840T_BINARY_DIR "/tools/handheld/kl840t-handheld", "--port", cable.First(),
                                           "--dir", (home.Data() / "handheld").string()};
        if (sending)
            arguments.insert(arguments.end(), {"--send", "er-dict"});
        auto handheld = std::make_unique<ChildProcess>(arguments, true);
        if (!handheld->WaitForOutput("listening", 5000))
            std::fprintf(stderr, "the handheld did not start: %s\n", handheld->Output().c_str());
        return handheld;
    };
    ComPort port([&](const std::string&) { return QtSerialDevice::Open(cable.Second()); }, SystemClock());
    port.Open(1);
    NoWindow host;
    const std::vector<int> packets = PacketLengths(section);

    for (bool upload : {true, false}) {
        std::unique_ptr<ChildProcess> handheld = startHandheld(!upload);
        port.Open(1); // empties the input of what the last handheld left
        RecordingPage page(home.Data() / (upload ? "" : "back"), 3);
        LinkProtocol link(port, SystemClock(), host);
        auto start = std::chrono::steady_clock::now();
        double cpuStart = CpuMs();
        bool ok = upload ? SendSectionFile(link, page) : ReceiveSectionFile(link, page);
        double cpu = CpuMs() - cpuStart;
        double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (!ok) {
            for (const std::string& message : page.messages)
                std::fprintf(stderr, "message: %s\n", message.c_str());
            std::fprintf(stderr, "the %s failed\n%s\n", upload ? "upload" : "download", handheld->Output().c_str());
            return 1;
        }
        Report(upload ? "upload" : "download", wall, upload ? Minimum::Upload(packets) : Minimum::Download(packets),
               cpu, section.size());
    }
    bool same = ReadFileBytes(home.Data() / "back" / "840.2") == section;
    std::printf("round trip %s\n", same ? "identical" : "DIFFERENT");
    return same ? 0 : 1;
}
