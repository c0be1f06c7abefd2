// The subcommands on section files: list and import.
#include "kl840t/SectionCommands.h"

#include "app/FileBytes.h"
#include "app/Profile.h"
#include "app/ProfileFile.h"
#include "app/ProgramPaths.h"
#include "kl840t/InterchangeCommands.h"
#include "kl840t/RecordLines.h"
#include "records/SectionFile.h"
#include "records/Sections.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

int SectionOperand(const std::string& name, std::ostream& err) {
    const int section = SectionByName(name);
    if (!section)
        err << "kl840t: unknown section '" << name << "' (telephone, schedule, er-dict or re-dict)\n";
    return section;
}

bool ReadInput(const std::string& name, std::string& text) {
    if (name == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    std::optional<std::string> bytes = ReadFileBytes(name);
    if (!bytes)
        return false;
    text = std::move(*bytes);
    return true;
}

} // namespace

int RunList(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const int section = SectionOperand(invocation.operands[0], err);
    if (!section)
        return kExitUsage;
    // Listing never creates a file: the question of a missing one is answered No.
    const LoadResult result = LoadSection(
        section, [] { return false; }, invocation.dir);
    if (result == LoadResult::Declined || result == LoadResult::Failed) {
        err << "kl840t: " << GetSectionFileName(section, invocation.dir).string()
            << " is missing, unreadable or shorter than a packet header\n";
        return kExitFailure;
    }
    for (const SectionRecord& record : g_records)
        out << FormatRecordLine(record, section) << '\n';
    out.flush();
    if (result == LoadResult::Damaged) {
        err << "kl840t: " << GetSectionFileName(section, invocation.dir).string() << " is damaged after record "
            << g_records.size() << "; the rest of the file was skipped\n";
        return kExitFailure;
    }
    return kExitOk;
}

namespace {

// The records of lines as list prints them; false after naming every malformed line.
bool ImportLines(const std::string& text, int section, const std::string& inputName,
                 std::vector<SectionRecord>& records, std::ostream& err) {
    bool malformed = false;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        ParsedRecordLine parsed = ParseRecordLine(line, section);
        if (!parsed.record) {
            err << inputName << ':' << number;
            if (parsed.column)
                err << ':' << parsed.column;
            err << ": " << parsed.error << '\n';
            malformed = true;
            continue;
        }
        records.push_back(std::move(*parsed.record));
    }
    return !malformed;
}

} // namespace

int RunImport(const Invocation& invocation, std::ostream&, std::ostream& err) {
    const int section = SectionOperand(invocation.operands[0], err);
    if (!section)
        return kExitUsage;
    const std::string& inputName = invocation.operands[1];
    std::optional<InterchangeFormat> format;
    if (!ChooseFormat(invocation, inputName, section, format, err))
        return kExitUsage;
    std::string text;
    if (!ReadInput(inputName, text)) {
        err << "kl840t: cannot read " << inputName << '\n';
        return kExitFailure;
    }
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);

    std::vector<SectionRecord> records;
    if (!(format ? ImportForeign(text, section, *format, inputName, records, err)
                 : ImportLines(text, section, inputName, records, err))) {
        err << "kl840t: nothing written\n";
        return kExitFailure;
    }
    if (invocation.append && !AppendToSection(section, invocation, records, err))
        return kExitFailure;
    g_records = std::move(records);
    if (!SaveSection(section, invocation.dir)) {
        err << "kl840t: cannot write " << GetSectionFileName(section, invocation.dir).string() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

// The program's port choice is COM1 to COM4; on systems whose serial devices
// have other names, the profile says which device each number opens.
int RunSetPort(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const std::string& number = invocation.operands[0];
    if (number.size() != 1 || number[0] < '1' || number[0] > '4') {
        err << "kl840t: the port number is 1, 2, 3 or 4, not '" << number << "'\n";
        return kExitUsage;
    }
    const std::string key = "COM" + number;
    if (!ProfileFile(ProfilePath()).WriteString(kInterfaceSection, key, invocation.operands[1])) {
        err << "kl840t: cannot write " << ProfilePath().string() << '\n';
        return kExitFailure;
    }
    out << key << " = " << invocation.operands[1] << " in " << ProfilePath().string() << '\n';
    return kExitOk;
}
