// The subcommands that talk to the handheld: download and upload.
#include "kl840t/TransferCommands.h"

#include "app/Profile.h"
#include "keyboard/CodePages.h"
#include "kl840t/PortCommands.h"
#include "kl840t/RecordLines.h"
#include "link/ComPort.h"
#include "link/SectionTransfer.h"
#include "link/TransferSequence.h"
#include "records/Sections.h"

#include <csignal>
#include <optional>
#include <ostream>

namespace {

std::string EnglishText(std::string_view key) {
    static const std::pair<const char*, const char*> kTexts[] = {
        {"49", "The section file is missing, cannot be opened or is damaged."},
        {"50", "The temporary file of the download cannot be created."},
        {"65", "The section was sent to the KL840T."},
        {"66", "The section was received from the KL840T."},
        {"67", "Sending was stopped or failed."},
        {"68", "Receiving was stopped or failed; the section file is unchanged."},
        {"69", "bytes sent"},
        {"70", "bytes received"},
        {"82", "Waiting for the KL840T ..."},
        {"83", "Transferring a packet ..."},
        {"90", "Start sending the section on the KL840T."},
        {"91", "Set the KL840T to receive."},
        {"98", "Connect the KL840T with its cable"},
        {"99", "to the serial port."},
        {"152", "The section file is unchanged; the received bytes are kept in:"},
    };
    for (auto [k, text] : kTexts)
        if (key == k)
            return text;
    return std::string(key);
}

SerialDeviceOpener g_opener;
LinkClock* g_clock = nullptr;
volatile std::sig_atomic_t g_stop = 0;

// Why a transfer stopped without the user asking.
enum class Cutoff { None, TimedOut, DeviceGone };

// The transfer as the command line shows it: the profile's texts in the
// terminal, a progress line on stderr, no questions (the user runs the
// command when the handheld is ready), Ctrl+C as STOP. A script must never
// hang on it: the time limit and a device that goes away stop it as well.
class CommandLineTransfer final : public TransferPage, public LinkHost {
public:
    CommandLineTransfer(std::ostream& err, int section, std::filesystem::path dir, ComPort& port,
                        std::optional<std::uint32_t> timeoutMs)
        : m_err(err), m_section(section), m_dir(std::move(dir)), m_port(port), m_timeoutMs(timeoutMs),
          m_startMs(g_clock->NowMs()) {}

    // The profile's texts in its interface language; the tool's own English
    // ones where the profile has none (no profile at all, say).
    std::string Text(std::string_view key) override {
        const char* language = LanguageSectionName(ReadSetting(kSettingLanguage));
        std::string text = LookupText(language ? language : kGermanSection, key);
        return text != kMissingText ? text : EnglishText(key);
    }
    bool OpenPort() override { return false; } // the port is opened by the command itself
    void ClosePort() override {}
    void ShowProgress(bool) override {}
    void HideProgress(bool) override { EndProgressLine(); }
    void SetStatus(const std::string& pcText) override {
        m_err << '\r' << PcToUtf8(pcText) << "\x1b[K" << std::flush;
        m_progressShown = true;
    }
    void SetProgressRange(int, int) override {}
    void SetProgressPos(int) override {}
    bool Prompt(const std::string&) override { return true; }
    void ShowMessage(MessageIcon, const std::string& pcMessage) override {
        EndProgressLine();
        m_err << "kl840t: " << PcToUtf8(pcMessage) << '\n';
    }
    void LockProgram(bool) override {}
    int CurrentSection() override { return m_section; }
    void SetCurrentSection(int section) override { m_section = section; }
    std::filesystem::path SectionFile(int section) override { return GetSectionFileName(section, m_dir); }

    void DispatchMessages() override {}
    bool StopRequested() override {
        if (m_cutoff == Cutoff::None && m_port.DeviceVanished())
            m_cutoff = Cutoff::DeviceGone;
        if (m_cutoff == Cutoff::None && m_timeoutMs && g_clock->NowMs() - m_startMs >= *m_timeoutMs)
            m_cutoff = Cutoff::TimedOut;
        return g_stop != 0 || m_cutoff != Cutoff::None;
    }
    Cutoff CutOff() const { return m_cutoff; }

private:
    void EndProgressLine() {
        if (m_progressShown)
            m_err << '\n';
        m_progressShown = false;
    }

    std::ostream& m_err;
    int m_section;
    std::filesystem::path m_dir;
    ComPort& m_port;
    std::optional<std::uint32_t> m_timeoutMs;
    std::uint32_t m_startMs;
    Cutoff m_cutoff = Cutoff::None;
    bool m_progressShown = false;
};

// A week: far more than any transfer takes, and well inside what the link's
// 32-bit millisecond clock can measure.
constexpr unsigned long kLongestTimeoutS = 7UL * 24 * 3600;

// Whole seconds from 1 to the longest timeout.
std::optional<std::uint32_t> TimeoutMs(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    unsigned long seconds = std::stoul(text);
    if (seconds == 0 || seconds > kLongestTimeoutS)
        return std::nullopt;
    return static_cast<std::uint32_t>(seconds * 1000);
}

int Transfer(TransferDirection direction, int section, const Invocation& invocation, std::ostream& err) {
    if (invocation.port.empty()) {
        err << "kl840t: --port DEVICE is needed (the serial device the handheld is on)\n";
        return kExitUsage;
    }
    std::optional<std::uint32_t> timeoutMs;
    if (!invocation.timeout.empty() && !(timeoutMs = TimeoutMs(invocation.timeout))) {
        err << "kl840t: --timeout takes whole seconds from 1 to " << kLongestTimeoutS << ", not '" << invocation.timeout
            << "'\n";
        return kExitUsage;
    }
    if (!g_opener || !g_clock) {
        err << "kl840t: no serial devices available\n";
        return kExitFailure;
    }
    const std::string device = invocation.port;
    ComPort port([device](const std::string&) { return g_opener(device); }, *g_clock);
    if (!port.Open(1)) {
        err << "kl840t: " << CannotOpenMessage(device) << '\n';
        return kExitFailure;
    }
    CommandLineTransfer page(err, section, invocation.dir, port, timeoutMs);
    // What to do on the handheld; the window's closing line about its buttons
    // has no place here.
    const bool upload = direction == TransferDirection::Upload;
    err << PcToUtf8(page.Text("98") + " " + page.Text("99")) << '\n'
        << PcToUtf8(page.Text(upload ? "91" : "90")) << '\n';
    g_stop = 0;
    auto previousInt = std::signal(SIGINT, [](int) { RequestTransferStop(); });
    auto previousTerm = std::signal(SIGTERM, [](int) { RequestTransferStop(); });
    LinkProtocol link(port, *g_clock, page);
    bool completed =
        direction == TransferDirection::Upload ? SendSectionFile(link, page) : ReceiveSectionFile(link, page);
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
    page.ShowMessage(completed ? MessageIcon::Information : MessageIcon::Failure,
                     page.Text(completed ? (upload ? "65" : "66") : (upload ? "67" : "68")));
    if (completed) {
        if (!upload)
            err << "kl840t: " << GetSectionFileName(page.CurrentSection(), invocation.dir).string() << '\n';
        return kExitOk;
    }
    switch (page.CutOff()) {
    case Cutoff::TimedOut:
        err << "kl840t: timed out: the handheld did not finish within " << invocation.timeout << " s\n";
        return kExitTimedOut;
    case Cutoff::DeviceGone:
        err << "kl840t: the serial device " << device << " went away during the transfer (cable or adapter pulled?)\n";
        return kExitDeviceGone;
    case Cutoff::None:
        break;
    }
    return kExitFailure;
}

} // namespace

void SetTransferDevices(SerialDeviceOpener opener, LinkClock* clock) {
    g_opener = std::move(opener);
    g_clock = clock;
}

void RequestTransferStop() { g_stop = 1; }

int RunDownload(const Invocation& invocation, std::ostream&, std::ostream& err) {
    return Transfer(TransferDirection::Download, kSectionTelephone, invocation, err);
}

int RunUpload(const Invocation& invocation, std::ostream&, std::ostream& err) {
    const int section = SectionByName(invocation.operands[0]);
    if (!section) {
        err << "kl840t: unknown section '" << invocation.operands[0] << "' (telephone, schedule, er-dict or re-dict)\n";
        return kExitUsage;
    }
    return Transfer(TransferDirection::Upload, section, invocation, err);
}
