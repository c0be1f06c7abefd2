// The command line of the stand-alone simulated handheld.
#include "handheld/HandheldToolOptions.h"

#include "handheld/SectionPackets.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <functional>
#include <map>

namespace {

std::optional<long> Number(const std::string& text, long lowest, long highest) {
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

std::string HandheldToolUsage() {
    return R"(usage: kl840t-handheld --port DEVICE [options]
       kl840t-handheld --write-samples DIR
       kl840t-handheld --help | --version

A simulated KL840T on a serial device (for example one end of
  socat -d -d pty,raw,echo=0 pty,raw,echo=0). It sends at the pace of a 2400
baud line, takes every section the PC uploads into its memory, and offers the
chosen section whenever the PC waits for a download.

  --port DEVICE          the serial device to use
  --dir DIR              the handheld's memory: section files 840.0 to 840.3
                         (default: the current directory); a missing one is
                         filled with the sample data
  --send SECTION         offer this section for download: telephone, schedule,
                         er-dict or re-dict (default: offer nothing)
  --transfers N          exit after N finished transfers (default: run until killed)
  --rest-ms MS           pause after a transfer before offering again (default 2000)
  --quiet                no event lines on standard error
  --write-samples DIR    write the sample sections into DIR and exit

Faults. WHEN is an occurrence ("3"), a list ("2,5,9"), a chance for each
("10%") or "all"; occurrences are counted from 1 over the whole run.
  --corrupt-frame WHEN   a data byte of the handheld's frame is changed
  --corrupt-soh WHEN     the SOH of the handheld's frame is changed
  --corrupt-complement WHEN
                         the block number's complement in the handheld's
                         frame is changed
  --drop-byte WHEN       a byte of the handheld's frame is lost
  --garble-ack WHEN      the handheld's ACK arrives as another byte
  --lose-ack WHEN        the handheld's ACK is lost
  --noise WHEN           noise bytes before the handheld's replies (echo, ACK, NAK)
  --pc-corrupt-frame WHEN, --pc-corrupt-soh WHEN, --pc-corrupt-complement WHEN,
  --pc-drop-byte WHEN, --pc-garble-ack WHEN, --pc-lose-ack WHEN, --pc-noise WHEN
                         the same faults on what the PC sends
  --noise-bytes N        bytes in each burst of noise (default 3)
  --late-echo WHEN       the handheld's echo leaves late
  --late-echo-ms MS      by this much (default 300)
  --silent-after N       the handheld stops answering from its N-th message on
  --burst                write each message at once instead of at line rate
  --seed N               seed for the chance-driven faults (default 1)
)";
}

std::optional<HandheldToolOptions> ParseHandheldToolOptions(const std::vector<std::string>& arguments,
                                                            std::string& error) {
    HandheldToolOptions options;
    std::map<std::string, FaultRule*> rules = {
        {"--corrupt-frame", &options.faults.fromHandheld.corruptFrame},
        {"--corrupt-soh", &options.faults.fromHandheld.corruptSoh},
        {"--corrupt-complement", &options.faults.fromHandheld.corruptComplement},
        {"--drop-byte", &options.faults.fromHandheld.dropByte},
        {"--garble-ack", &options.faults.fromHandheld.garbleAck},
        {"--lose-ack", &options.faults.fromHandheld.loseAck},
        {"--noise", &options.faults.fromHandheld.noise},
        {"--pc-corrupt-frame", &options.faults.fromPc.corruptFrame},
        {"--pc-corrupt-soh", &options.faults.fromPc.corruptSoh},
        {"--pc-corrupt-complement", &options.faults.fromPc.corruptComplement},
        {"--pc-drop-byte", &options.faults.fromPc.dropByte},
        {"--pc-garble-ack", &options.faults.fromPc.garbleAck},
        {"--pc-lose-ack", &options.faults.fromPc.loseAck},
        {"--pc-noise", &options.faults.fromPc.noise},
        {"--late-echo", &options.faults.lateEcho},
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            return options;
        }
        if (option == "--version" || option == "-V") {
            options.version = true;
            return options;
        }
        if (option == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (option == "--burst") {
            options.faults.burst = true;
            continue;
        }
        static const char* const kValued[] = {"--port",         "--dir",     "--write-samples", "--send",
                                              "--transfers",    "--rest-ms", "--late-echo-ms",  "--noise-bytes",
                                              "--silent-after", "--seed"};
        if (!rules.count(option) && std::find(std::begin(kValued), std::end(kValued), option) == std::end(kValued)) {
            error = "unknown option " + option;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = option + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        auto bad = [&]() {
            error = "bad value for " + option + ": " + value;
            return std::nullopt;
        };
        if (auto rule = rules.find(option); rule != rules.end()) {
            std::optional<FaultRule> parsed = ParseFaultRule(value);
            if (!parsed)
                return bad();
            *rule->second = *parsed;
        } else if (option == "--port") {
            options.port = value;
        } else if (option == "--dir") {
            options.directory = value;
        } else if (option == "--write-samples") {
            options.writeSamples = value;
        } else if (option == "--send") {
            const SectionName* section = SectionByOption(value);
            if (!section)
                return bad();
            options.sendLetter = section->letter;
        } else if (option == "--transfers") {
            auto number = Number(value, 1, 1000000);
            if (!number)
                return bad();
            options.transfers = static_cast<int>(*number);
        } else if (option == "--rest-ms" || option == "--late-echo-ms") {
            auto number = Number(value, 0, 600000);
            if (!number)
                return bad();
            (option == "--rest-ms" ? options.restMs : options.faults.lateEchoMs) = static_cast<std::uint32_t>(*number);
        } else if (option == "--noise-bytes") {
            auto number = Number(value, 1, 100);
            if (!number)
                return bad();
            options.faults.fromHandheld.noiseBytes = options.faults.fromPc.noiseBytes = static_cast<int>(*number);
        } else if (option == "--silent-after") {
            auto number = Number(value, 1, 100000000);
            if (!number)
                return bad();
            options.faults.silentFromMessage = static_cast<int>(*number);
        } else if (option == "--seed") {
            auto number = Number(value, 0, 2147483647);
            if (!number)
                return bad();
            options.faults.seed = static_cast<std::uint64_t>(*number);
        }
    }
    if (options.port.empty() && options.writeSamples.empty()) {
        error = "--port is missing";
        return std::nullopt;
    }
    return options;
}
