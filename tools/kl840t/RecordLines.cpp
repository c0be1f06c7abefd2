// A record as one line of UTF-8 text, for listing and importing sections.
#include "kl840t/RecordLines.h"

#include "keyboard/CodePages.h"
#include "keyboard/FilterChar.h"
#include "records/EditorLayout.h"
#include "records/ScheduleTexts.h"
#include "records/Sections.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

std::string EscapeField(std::string_view pc) {
    std::string escaped;
    for (std::size_t i = 0; i < pc.size(); ++i) {
        const char c = pc[i];
        if (c == '\r' && i + 1 < pc.size() && pc[i + 1] == '\n')
            continue; // the PC's line break is CR LF; the LF writes it
        switch (c) {
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\\':
            escaped += "\\\\";
            break;
        default:
            escaped += c;
        }
    }
    return PcToUtf8(escaped);
}

// A date or times text that does not read (a damaged record) is shown as it is.
std::string FixedDate(const std::string& text) { return FixedScheduleDate(text).value_or(EscapeField(text)); }
std::string FixedTimes(const std::string& text) { return FixedScheduleTimes(text).value_or(EscapeField(text)); }

// Reads a field's UTF-8 text into PC bytes, undoing the escapes and folding every other character
// as the record fields do. column is where the field starts in the line (from 1); on a fault it
// becomes the column of the fault.
std::optional<std::string> UnescapeField(std::string_view utf8, std::size_t& column, std::string& error) {
    std::string pc;
    std::size_t characters = 0; // read before the run now being folded
    auto foldRun = [&](std::string_view run) {
        FieldFolding folded = FoldIntoField(run);
        if (!folded.refused.empty()) {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "character U+%04X cannot be stored on the handheld",
                          static_cast<unsigned>(folded.refused.front().character));
            error = buffer;
            column += characters + folded.refused.front().position;
            return false;
        }
        pc += folded.pc;
        return true;
    };
    static constexpr std::pair<char, std::string_view> kEscapes[] = {
        {'n', "\r\n"}, {'t', "\t"}, {'r', "\r"}, {'\\', "\\"}};
    std::size_t runStart = 0, runCharacters = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t at = pos;
        if (NextUtf8(utf8, pos) != U'\\') {
            ++runCharacters;
            continue;
        }
        if (!foldRun(utf8.substr(runStart, at - runStart)))
            return std::nullopt;
        characters += runCharacters;
        const char next = pos < utf8.size() ? utf8[pos] : '\0';
        const auto* escape =
            std::find_if(std::begin(kEscapes), std::end(kEscapes), [next](const auto& e) { return e.first == next; });
        if (escape == std::end(kEscapes)) {
            error = "unknown escape after a backslash (use \\n, \\t, \\r or \\\\)";
            column += characters;
            return std::nullopt;
        }
        pc += escape->second;
        characters += 2;
        runCharacters = 0;
        runStart = ++pos;
    }
    if (!foldRun(utf8.substr(runStart)))
        return std::nullopt;
    return pc;
}

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count)
        NextUtf8(utf8, pos);
    return count;
}

std::vector<std::string_view> SplitAtTabs(std::string_view line) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return parts;
        start = tab + 1;
    }
}

} // namespace

std::string FormatRecordLine(const SectionRecord& record, int section) {
    std::string line = record.m_nLocked ? "L" : "-";
    const int fieldCount = SectionFieldCount(section);
    for (int f = 0; f < fieldCount; ++f) {
        static const std::string kEmpty;
        const std::string& field = f < static_cast<int>(record.m_lstFields.size()) ? record.m_lstFields[f] : kEmpty;
        line += '\t';
        if (section == kSectionSchedule && f == 0)
            line += FixedDate(field);
        else if (section == kSectionSchedule && f == 1)
            line += FixedTimes(field);
        else
            line += EscapeField(field);
    }
    return line;
}

ParsedRecordLine ParseRecordLine(std::string_view line, int section) {
    ParsedRecordLine result;
    const std::vector<std::string_view> parts = SplitAtTabs(line);
    const std::size_t fieldCount = SectionFieldCount(section);
    if (parts.size() != fieldCount + 1) {
        result.error = "expected the lock flag and " + std::to_string(fieldCount) + " fields separated by TAB, found " +
                       std::to_string(parts.size()) + " parts";
        return result;
    }
    if (parts[0] != "L" && parts[0] != "-") {
        result.error = "the lock flag must be L or -";
        return result;
    }
    SectionRecord record("", "");
    record.m_nLocked = parts[0] == "L";
    std::size_t fieldColumn = 1;
    for (std::size_t f = 0; f < fieldCount; ++f) {
        fieldColumn += CharacterCount(parts[f]) + 1;
        std::string error;
        std::size_t column = fieldColumn;
        std::optional<std::string> field;
        if (section == kSectionSchedule && f == 0)
            field = ScheduleDateFromFixed(parts[1], error);
        else if (section == kSectionSchedule && f == 1)
            field = ScheduleTimesFromFixed(parts[2], error);
        else
            field = UnescapeField(parts[f + 1], column, error);
        const auto limit = static_cast<std::size_t>(FieldLengthLimit(section, static_cast<int>(f)));
        if (field && limit && field->size() > limit)
            error = "the field holds " + std::to_string(field->size()) + " characters, at most " +
                    std::to_string(limit) + " fit (a line break counts two)";
        if (!error.empty()) {
            result.error = "field " + std::to_string(f + 1) + ": " + error;
            result.column = column;
            return result;
        }
        record.m_lstFields.push_back(std::move(*field));
    }
    result.record = std::move(record);
    return result;
}

int SectionByName(std::string_view name) {
    static constexpr std::pair<std::string_view, int> kNames[] = {
        {"telephone", kSectionTelephone},
        {"schedule", kSectionSchedule},
        {"er-dict", kSectionGermanRussian},
        {"re-dict", kSectionRussianGerman},
    };
    for (auto [sectionName, section] : kNames)
        if (name == sectionName)
            return section;
    return 0;
}
