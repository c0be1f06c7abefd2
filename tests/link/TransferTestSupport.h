// Transfers against the in-process simulated handheld, in virtual time: the
// handheld, the page the transfers report to, and section files to send.
#pragma once

#include "handheld/HandheldSimulation.h"
#include "link/ComPort.h"
#include "link/LinkHost.h"
#include "link/LinkProtocol.h"
#include "link/TransferPage.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A handheld that sends the section of that letter once, or only receives.
inline HandheldSimulation::Options OnceSending(std::optional<char> letter) {
    HandheldSimulation::Options options;
    options.handheld.sendLetter = letter;
    options.handheld.sendRepeatedly = false;
    return options;
}

// Records everything a transfer shows, and keeps the section files in a
// directory of the test's.
class RecordingPage : public TransferPage {
public:
    explicit RecordingPage(std::filesystem::path dir, int section = 1) : m_dir(std::move(dir)), m_section(section) {}

    std::string Text(std::string_view key) override { return "<" + std::string(key) + ">"; }
    bool OpenPort() override { return true; }
    void ClosePort() override {}
    void ShowProgress(bool) override {}
    void HideProgress(bool) override {}
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void SetProgressRange(int low, int high) override { range = {low, high}; }
    void SetProgressPos(int pos) override { progress = pos; }
    bool Prompt(const std::string&) override { return true; }
    void ShowMessage(MessageIcon, const std::string& message) override { messages.push_back(message); }
    void LockProgram(bool) override {}
    int CurrentSection() override { return m_section; }
    void SetCurrentSection(int section) override { m_section = section; }
    std::filesystem::path SectionFile(int section) override { return m_dir / ("840." + std::to_string(section - 1)); }

    std::vector<std::string> statuses;
    std::vector<std::string> messages;
    std::pair<int, int> range{0, 0};
    int progress = -1;

private:
    std::filesystem::path m_dir;
    int m_section;
};

// A host whose STOP button is pressed after a given number of looks.
class ScriptedHost : public LinkHost {
public:
    void DispatchMessages() override { ++m_dispatched; }
    bool StopRequested() override { return m_stopAfter >= 0 && m_dispatched > m_stopAfter; }
    void StopAfter(int dispatches) { m_stopAfter = m_dispatched + dispatches; }

private:
    int m_dispatched = 0;
    int m_stopAfter = -1;
};

// One side of a transfer over the simulated line, through the production port.
struct SimulatedTransfer {
    explicit SimulatedTransfer(HandheldSimulation& sim) : port(sim.Opener(), sim.Clock()) { port.Open(1); }
    LinkProtocol Link() { return LinkProtocol(port, port.Clock(), host); }

    ComPort port;
    ScriptedHost host;
};

// A section file whose packets have the given lengths (0: an empty packet of
// a header only); the last is marked L. The bytes after each header count up.
inline std::string PacketsOfLengths(char letter, const std::vector<int>& lengths) {
    std::string file;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        int length = lengths[i];
        file += letter;
        file += static_cast<char>(i);
        file += static_cast<char>(length & 0xFF);
        file += static_cast<char>(length >> 8);
        file += i + 1 == lengths.size() ? 'L' : 'N';
        for (int k = 5; k < length; ++k)
            file += static_cast<char>(k * 13 + static_cast<int>(i));
    }
    return file;
}
