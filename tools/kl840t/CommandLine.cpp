// The kl840t command line: one subcommand per job, shared options.
#include "kl840t/CommandLine.h"

#include "app/DeliveredProfile.h"
#include "app/ProgramPaths.h"
#include "app/ProgramVersion.h"
#include "kl840t/BackupCommands.h"
#include "kl840t/InterchangeCommands.h"
#include "kl840t/PortCommands.h"
#include "kl840t/RecordLines.h"
#include "kl840t/SectionCommands.h"
#include "kl840t/TransferCommands.h"

#include <ostream>
#include <string_view>

namespace {

const Command kCommands[] = {
    {"list", "<section>", 1, "print the records of a section file, one line each", RunList},
    {"import", "<section> <file>", 2,
     "write a section file from lines as list prints them ('-' reads stdin), or from a vCard, iCalendar or CSV file",
     RunImport},
    {"export", "<section>", 1, "write a section as a vCard, iCalendar, CSV or list file (-o FILE, else stdout)",
     RunExport},
    {"download", "--port DEVICE", 0, "receive the section the handheld sends and replace its file", RunDownload},
    {"upload", "<section> --port DEVICE", 1, "send a section file to the handheld", RunUpload},
    {"set-port", "<1-4> <device>", 2, "let the program's COM1 ... COM4 open this serial device", RunSetPort},
    {"backups", "[<section>]", 0, "list the kept old versions: section, date, records, bytes", RunBackups, 1},
    {"restore", "<section> [<date>]", 1,
     "put a kept old version back (the newest by default), keeping the present file as one", RunRestore, 1},
    {"ports", "", 0, "list the serial devices: COM number, device, system name, description, USB ids, access",
     RunPorts},
};

void PrintUsage(std::ostream& out) {
    out << "usage: kl840t <command> [options]\n       kl840t --help | --version\n\ncommands:\n";
    for (const Command& command : kCommands)
        out << "  " << command.name << (*command.operands ? " " : "") << command.operands << "\n      "
            << command.summary << '\n';
    out << "\nsections: telephone, schedule, er-dict, re-dict\n\n"
           "options:\n"
           "  --dir DIR        the folder of the section files (default: the program's)\n"
           "  --profile FILE   the profile with the conversion tables (default: the program's)\n"
           "  --port DEVICE    the serial device of the handheld (download, upload); Ctrl+C stops\n"
           "  --timeout SECONDS  stop a download or upload the handheld has not finished by then\n"
           "  -o, --output FILE  the file an export writes (default: standard output)\n"
           "  --format FORMAT  vcard (telephone), ical (schedule), csv or tsv (the list lines);\n"
           "                   default: from the file name's extension (.vcf, .ics, .csv), else tsv\n"
           "  --append         import: add the records after the present ones, leaving out exact duplicates\n"
           "\nexit codes: 0 done, 1 failed or stopped, 2 wrong usage, 3 timed out (--timeout),\n"
           "  4 the serial device went away during a transfer\n"
           "\nEvery save, import, download and restore first keeps the file it replaces in the folder\n"
           "backups beside the section files, named after it and the date (840.0.2026-12-05T183000);\n"
           "the newest ten of each section stay.\n";
}

const Command* FindCommand(std::string_view name) {
    for (const Command& command : kCommands)
        if (name == command.name)
            return &command;
    return nullptr;
}

// Takes "--name VALUE" or "--name=VALUE"; false when it is not that option.
bool TakeOption(const std::vector<std::string>& args, std::size_t& i, std::string_view name, std::string& value,
                bool& missing) {
    const std::string_view arg = args[i];
    if (arg == name) {
        missing = i + 1 >= args.size();
        if (!missing)
            value = args[++i];
        return true;
    }
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
        value = arg.substr(name.size() + 1);
        missing = value.empty();
        return true;
    }
    return false;
}

} // namespace

int ParseSectionOperand(const std::string& name, std::ostream& err) {
    const int section = SectionByName(name);
    if (!section)
        err << "kl840t: unknown section '" << name << "' (telephone, schedule, er-dict or re-dict)\n";
    return section;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(args.empty() ? err : out);
        return args.empty() ? kExitUsage : kExitOk;
    }
    if (args[0] == "--version" || args[0] == "-V") {
        out << "kl840t " << kVersionLine << '\n';
        return kExitOk;
    }
    const Command* command = FindCommand(args[0]);
    if (!command) {
        err << "kl840t: unknown command '" << args[0] << "'\n";
        PrintUsage(err);
        return kExitUsage;
    }
    Invocation invocation;
    std::string profile;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string dir;
        bool missing = false;
        if (TakeOption(args, i, "--dir", dir, missing)) {
            invocation.dir = dir;
        } else if (TakeOption(args, i, "--profile", profile, missing)) {
        } else if (TakeOption(args, i, "--port", invocation.port, missing)) {
        } else if (TakeOption(args, i, "--timeout", invocation.timeout, missing)) {
        } else if (TakeOption(args, i, "-o", invocation.output, missing) ||
                   TakeOption(args, i, "--output", invocation.output, missing)) {
        } else if (TakeOption(args, i, "--format", invocation.format, missing)) {
        } else if (args[i] == "--append") {
            invocation.append = true;
        } else if (args[i].size() > 1 && args[i][0] == '-' && args[i] != "-") {
            err << "kl840t " << command->name << ": unknown option '" << args[i] << "'\n";
            return kExitUsage;
        } else {
            invocation.operands.push_back(args[i]);
        }
        if (missing) {
            err << "kl840t " << command->name << ": " << args[i] << " needs a value\n";
            return kExitUsage;
        }
    }
    if (invocation.operands.size() < command->operandCount ||
        invocation.operands.size() > command->operandCount + command->optionalOperands) {
        err << "usage: kl840t " << command->name << ' ' << command->operands << " [--dir DIR] [--profile FILE]\n";
        return kExitUsage;
    }
    if (!profile.empty()) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(profile, error)) {
            err << "kl840t: no profile file " << profile << '\n';
            return kExitFailure;
        }
        SetProfilePath(profile);
    } else {
        // The tool may be the first of the installed programs to run: with
        // the delivered profile in place, set-port adds to a whole profile.
        PutDeliveredProfileInPlace("kl840t");
    }
    const int result = command->run(invocation, out, err);
    SetProfilePath({});
    return result;
}
