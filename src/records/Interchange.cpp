// The records in and out of the user's other programs: vCard, iCalendar and CSV files.
#include "records/Interchange.h"

#include "keyboard/CodePages.h"
#include "keyboard/FilterChar.h"
#include "records/CsvFormat.h"
#include "records/EditorLayout.h"
#include "records/ICalendarFormat.h"
#include "records/Sections.h"
#include "records/VCardFormat.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace {

struct FormatName {
    InterchangeFormat format;
    std::string_view name;
    const char* extension;
};

constexpr FormatName kFormats[] = {
    {InterchangeFormat::VCard, "vcard", ".vcf"},
    {InterchangeFormat::ICalendar, "ical", ".ics"},
    {InterchangeFormat::Csv, "csv", ".csv"},
};

// The text as the field holds it: folded, cut at the field's limit, never between CR and LF.
std::string FitField(const std::string& utf8, int section, int field, ImportReport& report) {
    FieldFolding folding = FoldIntoField(utf8);
    report.folded += folding.folded;
    for (const FieldFolding::Refused& refused : folding.refused)
        report.refused.push_back({report.read, field, refused.character});
    const auto limit = static_cast<std::size_t>(FieldLengthLimit(section, field));
    if (limit && folding.pc.size() > limit) {
        std::size_t keep = limit;
        if (folding.pc[keep - 1] == '\r' && folding.pc[keep] == '\n')
            --keep;
        folding.pc.resize(keep);
        report.cut.push_back({report.read, field});
    }
    return folding.pc;
}

bool IsTextField(int section, int field) { return section != kSectionSchedule || field == 2; }

ForeignRead ReadForeign(std::string_view bytes, int section, InterchangeFormat format) {
    switch (format) {
    case InterchangeFormat::VCard:
        return ReadVCards(bytes);
    case InterchangeFormat::ICalendar:
        return ReadICalendarEvents(bytes);
    case InterchangeFormat::Csv:
        break;
    }
    return ReadCsvRecords(bytes, section);
}

} // namespace

std::optional<InterchangeFormat> InterchangeFormatByName(std::string_view name) {
    for (const FormatName& format : kFormats)
        if (name == format.name)
            return format.format;
    return std::nullopt;
}

std::optional<InterchangeFormat> InterchangeFormatOfFile(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const FormatName& format : kFormats)
        if (extension == format.extension)
            return format.format;
    return std::nullopt;
}

const char* InterchangeExtension(InterchangeFormat format) {
    for (const FormatName& name : kFormats)
        if (name.format == format)
            return name.extension;
    return "";
}

bool InterchangeFormatFits(InterchangeFormat format, int section) {
    switch (format) {
    case InterchangeFormat::VCard:
        return section == kSectionTelephone;
    case InterchangeFormat::ICalendar:
        return section == kSectionSchedule;
    case InterchangeFormat::Csv:
        break;
    }
    return IsRecordSection(section);
}

std::string ExportRecords(const std::vector<SectionRecord>& records, int section, InterchangeFormat format,
                          const std::vector<std::string>& captions) {
    switch (format) {
    case InterchangeFormat::VCard:
        return WriteVCards(records);
    case InterchangeFormat::ICalendar:
        return WriteICalendarEvents(records);
    case InterchangeFormat::Csv:
        break;
    }
    return WriteCsvRecords(records, section, captions);
}

ImportResult ImportRecords(std::string_view bytes, int section, InterchangeFormat format) {
    ImportResult result;
    if (!InterchangeFormatFits(format, section)) {
        result.error = "this format does not carry this section";
        return result;
    }
    ForeignRead read = ReadForeign(WithoutByteOrderMark(bytes), section, format);
    if (!read.error.empty()) {
        result.error = std::move(read.error);
        result.errorLine = read.errorLine;
        return result;
    }
    result.report.leftOut = read.leftOut;
    result.report.firstOccurrences = read.firstOccurrences;
    const int fieldCount = SectionFieldCount(section);
    for (ForeignRecord& foreign : read.records) {
        foreign.fields.resize(static_cast<std::size_t>(fieldCount));
        ImportReport& report = result.report;
        const std::size_t cutBefore = report.cut.size(), refusedBefore = report.refused.size();
        const std::size_t foldedBefore = report.folded;
        ++report.read;
        SectionRecord record("", "");
        record.m_nLocked = foreign.locked;
        for (int f = 0; f < fieldCount; ++f) {
            std::string& text = foreign.fields[static_cast<std::size_t>(f)];
            record.m_lstFields.push_back(IsTextField(section, f) ? FitField(text, section, f, report)
                                                                 : std::move(text));
        }
        if (std::all_of(record.m_lstFields.begin(), record.m_lstFields.end(),
                        [](const std::string& field) { return field.empty(); })) {
            // The record editor drops a record whose fields are all empty; so does the import.
            --report.read;
            report.cut.resize(cutBefore);
            report.refused.resize(refusedBefore);
            report.folded = foldedBefore;
            ++report.leftOut;
            continue;
        }
        result.records.push_back(std::move(record));
    }
    return result;
}

std::size_t AppendNewRecords(std::vector<SectionRecord>& present, const std::vector<SectionRecord>& imported) {
    auto key = [](const SectionRecord& record) {
        std::string joined(1, record.m_nLocked ? 'L' : '-');
        for (const std::string& field : record.m_lstFields)
            (joined += '\0') += field;
        return joined;
    };
    std::unordered_set<std::string> known;
    for (const SectionRecord& record : present)
        known.insert(key(record));
    std::size_t leftOut = 0;
    for (const SectionRecord& record : imported) {
        if (!known.insert(key(record)).second) {
            ++leftOut;
            continue;
        }
        present.push_back(record);
    }
    return leftOut;
}

std::string ExportFieldText(std::string_view pc) {
    // The handheld's line break is the PC's CR LF; a CR alone is nothing the handheld keeps.
    std::string text;
    text.reserve(pc.size());
    for (char c : pc)
        if (c != '\r')
            text += c;
    return PcToUtf8(text);
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
    return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
}
