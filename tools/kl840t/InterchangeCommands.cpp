// The subcommands and steps that carry sections to and from the user's other programs.
#include "kl840t/InterchangeCommands.h"

#include "app/AtomicFile.h"
#include "app/Profile.h"
#include "kl840t/RecordLines.h"
#include "records/SectionFile.h"
#include "records/Sections.h"

#include <cstdio>
#include <ostream>

namespace {

std::vector<std::string> FieldCaptions(int section) {
    const char* language = LanguageSectionName(ReadSetting(kSettingLanguage));
    std::vector<std::string> captions;
    for (int f = 0; f < SectionFieldCount(section); ++f) {
        std::string caption = LookupText(language ? language : kGermanSection, FieldCaptionKey(section, f));
        if (caption == kMissingText)
            return {};
        captions.push_back(std::move(caption));
    }
    return captions;
}

std::string Plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

void PrintReport(const ImportReport& report, const std::string& file, std::ostream& err) {
    err << "kl840t: " << Plural(report.read, "record", "records") << " read from " << file << '\n';
    for (const ImportReport::Cut& cut : report.cut)
        err << "kl840t: record " << cut.record << ", field " << cut.field + 1 << ": cut to the field's length\n";
    if (report.folded)
        err << "kl840t: " << Plural(report.folded, "character", "characters")
            << " changed to capitals or base letters\n";
    for (const ImportReport::Refused& refused : report.refused) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(refused.character));
        err << "kl840t: record " << refused.record << ", field " << refused.field + 1 << ": character " << code
            << " cannot be stored on the handheld and was left out\n";
    }
    if (report.leftOut)
        err << "kl840t: " << Plural(report.leftOut, "entry", "entries")
            << " left out (nothing the section holds, or a day the handheld cannot carry)\n";
    if (report.firstOccurrences)
        err << "kl840t: " << Plural(report.firstOccurrences, "recurring event", "recurring events")
            << " taken as the first occurrence only\n";
}

} // namespace

bool ChooseFormat(const Invocation& invocation, const std::string& file, int section,
                  std::optional<InterchangeFormat>& format, std::ostream& err) {
    if (invocation.format == "tsv") {
        format.reset();
        return true;
    }
    format = invocation.format.empty() ? InterchangeFormatOfFile(file) : InterchangeFormatByName(invocation.format);
    if (!invocation.format.empty() && !format) {
        err << "kl840t: unknown format '" << invocation.format << "' (vcard, ical, csv or tsv)\n";
        return false;
    }
    if (format && !InterchangeFormatFits(*format, section)) {
        err << "kl840t: " << (*format == InterchangeFormat::VCard ? "vCard" : "iCalendar") << " carries the "
            << (*format == InterchangeFormat::VCard ? "telephone" : "schedule")
            << " section only (csv and tsv carry every section)\n";
        return false;
    }
    return true;
}

bool ImportForeign(std::string_view text, int section, InterchangeFormat format, const std::string& file,
                   std::vector<SectionRecord>& records, std::ostream& err) {
    ImportResult result = ImportRecords(text, section, format);
    if (!result.error.empty()) {
        err << file << ':' << result.errorLine << ": " << result.error << '\n';
        return false;
    }
    PrintReport(result.report, file, err);
    records = std::move(result.records);
    return true;
}

bool AppendToSection(int section, const Invocation& invocation, std::vector<SectionRecord>& records,
                     std::ostream& err) {
    const LoadResult loaded = LoadSection(
        section, [] { return false; }, invocation.dir);
    if (loaded == LoadResult::Failed || loaded == LoadResult::Damaged) {
        // Appending to what could be read would drop the rest of the file.
        err << "kl840t: " << GetSectionFileName(section, invocation.dir).string()
            << " cannot be read whole; nothing appended\n";
        return false;
    }
    std::vector<SectionRecord> present =
        loaded == LoadResult::Loaded ? std::move(g_records) : std::vector<SectionRecord>();
    if (const std::size_t duplicates = AppendNewRecords(present, records))
        err << "kl840t: " << Plural(duplicates, "record", "records") << " already in the section left out\n";
    records = std::move(present);
    return true;
}

int RunExport(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const int section = SectionByName(invocation.operands[0]);
    if (!section) {
        err << "kl840t: unknown section '" << invocation.operands[0] << "' (telephone, schedule, er-dict or re-dict)\n";
        return kExitUsage;
    }
    std::optional<InterchangeFormat> format;
    if (!ChooseFormat(invocation, invocation.output, section, format, err))
        return kExitUsage;
    const LoadResult loaded = LoadSection(
        section, [] { return false; }, invocation.dir);
    const std::string sectionFile = GetSectionFileName(section, invocation.dir).string();
    if (loaded == LoadResult::Declined || loaded == LoadResult::Failed) {
        err << "kl840t: " << sectionFile << " is missing, unreadable or shorter than a packet header\n";
        return kExitFailure;
    }
    std::string text;
    if (format) {
        text = ExportRecords(g_records, section, *format, FieldCaptions(section));
    } else {
        for (const SectionRecord& record : g_records)
            (text += FormatRecordLine(record, section)) += '\n';
    }
    if (invocation.output.empty() || invocation.output == "-") {
        out << text;
        out.flush();
    } else if (!WriteFileAtomically(invocation.output, text)) {
        err << "kl840t: cannot write " << invocation.output << '\n';
        return kExitFailure;
    }
    if (loaded == LoadResult::Damaged) {
        // What could be read is out; the user should still learn that it is not all.
        err << "kl840t: " << sectionFile << " is damaged after record " << g_records.size()
            << "; the rest of the file was skipped\n";
        return kExitFailure;
    }
    return out ? kExitOk : kExitFailure;
}
