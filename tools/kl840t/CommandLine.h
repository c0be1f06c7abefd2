// The kl840t command line: one subcommand per job, shared options.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

// What a subcommand gets: its operands and the options that were given.
struct Invocation {
    std::vector<std::string> operands;
    std::filesystem::path dir; // --dir; empty: the program's section directory
    std::string port;          // --port: the serial device of a transfer
    std::string timeout;       // --timeout: seconds a transfer may take
    std::string output;        // -o, --output: the file an export writes; empty: standard output
    std::string format;        // --format of an export or import; empty: from the file name
    bool append = false;       // --append: an import adds to the section instead of replacing it
};

using CommandHandler = int (*)(const Invocation& invocation, std::ostream& out, std::ostream& err);

struct Command {
    const char* name;
    const char* operands; // for the usage text
    std::size_t operandCount;
    const char* summary;
    CommandHandler run;
    std::size_t optionalOperands = 0; // how many may follow the required ones
};

// Exit codes of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitTimedOut = 3;   // the handheld did not finish within --timeout
inline constexpr int kExitDeviceGone = 4; // the serial device went away during a transfer

// The section a name stands for (telephone, schedule, er-dict, re-dict); 0,
// after saying so on err, for any other name.
int ParseSectionOperand(const std::string& name, std::ostream& err);

// Parses the arguments (without the program name), applies --profile and runs
// the subcommand. Results go to out, errors to err.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
