// kl840t-handheld: a simulated KL840T on a serial device, for demonstrations and end-to-end tests.
#include "TerminalLine.h"
#include "handheld/FaultInjector.h"
#include "handheld/HandheldMachine.h"
#include "handheld/HandheldToolOptions.h"
#include "handheld/SampleSections.h"
#include "handheld/SectionPackets.h"
#include "handheld/SectionStore.h"

#include "app/ProgramVersion.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>

namespace {

// 10 bits at 2400 baud.
constexpr std::uint64_t kByteTimeUs = 4167;
// After the last transfer, acknowledging a repeated last frame is still
// possible for this long before the program ends.
constexpr std::uint32_t kLingerMs = 1500;

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

bool WriteSamples(const std::string& directory, bool onlyMissing, bool quiet) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    for (const SectionName& name : SectionNames()) {
        if (onlyMissing && std::filesystem::exists(std::filesystem::path(directory) / name.fileName, error))
            continue;
        if (!SaveSectionFile(directory, name.letter, SampleSection(name.letter))) {
            std::cerr << "kl840t-handheld: cannot write " << name.fileName << " in " << directory << "\n";
            return false;
        }
        if (!quiet)
            std::cerr << "kl840t-handheld: sample " << name.optionName << " written to " << name.fileName << "\n";
    }
    return true;
}

class Stopwatch {
public:
    std::uint64_t Us() const {
        return static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - m_start).count());
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

} // namespace

int main(int argc, char** argv) {
    std::string error;
    std::optional<HandheldToolOptions> options =
        ParseHandheldToolOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "kl840t-handheld: " << error << "\n\n" << HandheldToolUsage();
        return 2;
    }
    if (options->help) {
        std::cout << HandheldToolUsage();
        return 0;
    }
    if (options->version) {
        std::cout << "kl840t-handheld " << kVersionLine << '\n';
        return 0;
    }
    if (!options->writeSamples.empty())
        return WriteSamples(options->writeSamples, false, options->quiet) ? 0 : 1;
    if (!WriteSamples(options->directory, true, options->quiet))
        return 1;

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);

    TerminalLine line(options->port);
    if (!line.IsOpen()) {
        std::cerr << "kl840t-handheld: " << line.Error() << "\n";
        return 1;
    }
    Stopwatch clock;
    auto nowMs = [&]() { return static_cast<std::uint32_t>(clock.Us() / 1000); };

    HandheldMachine::Options machineOptions;
    machineOptions.sendLetter = options->sendLetter;
    machineOptions.restMs = options->restMs;
    HandheldMachine machine(machineOptions, nowMs());
    for (auto& [letter, bytes] : LoadSectionFiles(options->directory))
        machine.SetSection(letter, bytes);
    if (!options->quiet)
        machine.SetObserver(
            [](const HandheldEvent& event) { std::cerr << "kl840t-handheld: " << DescribeEvent(event) << "\n"; });
    if (options->sendLetter && !machine.CanSend()) {
        std::cerr << "kl840t-handheld: the section to send is not a valid section file\n";
        return 1;
    }
    FaultInjector faults(machine, options->faults);
    if (!options->quiet) {
        std::cerr << "kl840t-handheld: listening on " << options->port;
        if (options->sendLetter)
            std::cerr << ", offering " << SectionByLetter(*options->sendLetter)->optionName;
        std::cerr << std::endl;
    }

    std::size_t transfersSeen = 0;
    std::optional<std::uint32_t> doneAtMs;
    std::uint64_t nextWriteUs = 0;
    std::vector<std::uint8_t> received;
    int status = 0;
    while (!g_stop) {
        // Sleep until input comes, the next byte may go, or a millisecond has
        // passed for the handheld's timers.
        std::uint64_t now = clock.Us();
        std::uint64_t waitUs = 1000;
        if (nextWriteUs > now)
            waitUs = std::min<std::uint64_t>(waitUs, nextWriteUs - now);
        if (!line.WaitForInput(static_cast<std::uint32_t>(waitUs))) {
            status = 1;
            break;
        }
        received.clear();
        if (!line.Read(received)) {
            std::cerr << "kl840t-handheld: the line is gone: " << line.Error() << "\n";
            status = 1;
            break;
        }
        for (std::uint8_t byte : received)
            faults.FromPc(byte, nowMs());
        machine.OnTime(nowMs());

        now = clock.Us();
        if (options->faults.burst) {
            std::vector<std::uint8_t> burst;
            while (auto byte = faults.NextToPc(nowMs()))
                burst.push_back(*byte);
            if (!burst.empty() && !line.Write(burst.data(), burst.size()))
                status = 1;
        } else if (now >= nextWriteUs) {
            if (auto byte = faults.NextToPc(nowMs())) {
                if (!line.Write(&*byte, 1))
                    status = 1;
                // Paced from the previous byte, not from now, so that the
                // rate stays 2400 baud however late this loop wakes up.
                nextWriteUs = nextWriteUs + kByteTimeUs > now ? nextWriteUs + kByteTimeUs : now + kByteTimeUs;
            }
        }
        if (status != 0) {
            std::cerr << "kl840t-handheld: cannot write: " << line.Error() << "\n";
            break;
        }

        const auto& transfers = machine.Transfers();
        for (; transfersSeen < transfers.size(); ++transfersSeen) {
            const CompletedTransfer& transfer = transfers[transfersSeen];
            if (!transfer.received)
                continue;
            if (!SectionByLetter(transfer.letter))
                std::cerr << "kl840t-handheld: a section without a known letter was not stored\n";
            else if (!SaveSectionFile(options->directory, transfer.letter, transfer.bytes))
                std::cerr << "kl840t-handheld: cannot store the section received\n";
        }
        if (options->transfers > 0 && static_cast<int>(transfers.size()) >= options->transfers && !doneAtMs)
            doneAtMs = nowMs();
        if (doneAtMs && nowMs() - *doneAtMs >= kLingerMs && !machine.HasOutput())
            break;
    }
    return status;
}
