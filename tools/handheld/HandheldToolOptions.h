// The command line of the stand-alone simulated handheld.
#pragma once

#include "handheld/FaultPlan.h"

#include <optional>
#include <string>
#include <vector>

struct HandheldToolOptions {
    std::string port;
    std::string directory = ".";
    std::optional<char> sendLetter;
    int transfers = 0; // exit after this many; 0: run until killed
    std::uint32_t restMs = 2000;
    bool quiet = false;
    std::string writeSamples; // write the sample sections here and exit
    bool help = false;
    bool version = false;
    FaultPlan faults;
};

// The options after the program name; nothing (and `error` set) when they do not make sense.
std::optional<HandheldToolOptions> ParseHandheldToolOptions(const std::vector<std::string>& arguments,
                                                            std::string& error);
std::string HandheldToolUsage();
