// A record as one line of UTF-8 text, for listing and importing sections.
#include "kl840t/RecordLines.h"

#include "keyboard/CodePages.h"
#include "records/DateTimeText.h"
#include "records/ScheduleBytes.h"
#include "records/SchedulePacking.h"
#include "records/SectionFormat.h"
#include "records/Sections.h"

#include <cstdio>
#include <vector>

namespace {

constexpr std::string_view kTimesSeparator = " - ";

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

std::optional<DateTimeValue::Parts> ParsedParts(std::string_view text) {
    DateTimeText value;
    if (!value.ParseDateTime(text) || !value.IsValid())
        return std::nullopt;
    return value.Split();
}

// The locale's date text as YYYY-MM-DD; a text that does not read as a date
// (a damaged record) is shown as it is.
std::string FixedDate(const std::string& text) {
    auto parts = text.find('/') != std::string::npos ? ParsedParts(text) : std::nullopt;
    if (!parts)
        return EscapeField(text);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", parts->year, parts->month, parts->day);
    return buffer;
}

std::string FixedTimes(const std::string& text) {
    const std::size_t split = text.find(kTimesSeparator);
    if (split == std::string::npos)
        return EscapeField(text);
    auto start = ParsedParts(std::string_view(text).substr(0, split));
    auto end = ParsedParts(std::string_view(text).substr(split + kTimesSeparator.size()));
    if (!start || !end)
        return EscapeField(text);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d-%02d:%02d", start->hour, start->minute, end->hour, end->minute);
    return buffer;
}

// Reads a field's UTF-8 text into PC bytes, undoing the escapes.
std::optional<std::string> UnescapeField(std::string_view utf8, std::string& error) {
    std::string pc;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = NextUtf8(utf8, pos);
        if (c == U'\\') {
            const char32_t next = pos < utf8.size() ? NextUtf8(utf8, pos) : U'\0';
            switch (next) {
            case U'n':
                pc += "\r\n";
                break;
            case U't':
                pc += '\t';
                break;
            case U'r':
                pc += '\r';
                break;
            case U'\\':
                pc += '\\';
                break;
            default:
                error = "unknown escape after a backslash (use \\n, \\t, \\r or \\\\)";
                return std::nullopt;
            }
            continue;
        }
        const std::optional<std::uint8_t> byte = UnicodeToPcByte(c);
        if (c == U'\0' || c == U'\uFFFD' || !byte) {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "character U+%04X cannot be stored on the handheld",
                          static_cast<unsigned>(c));
            error = buffer;
            return std::nullopt;
        }
        pc += static_cast<char>(*byte);
    }
    return pc;
}

bool ReadDigits(std::string_view text, std::size_t pos, std::size_t count, int& value) {
    if (pos + count > text.size())
        return false;
    value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

std::optional<std::string> DateFromFixed(std::string_view text, std::string& error) {
    int year, month, day;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !ReadDigits(text, 0, 4, year) ||
        !ReadDigits(text, 5, 2, month) || !ReadDigits(text, 8, 2, day)) {
        error = "the date must be written YYYY-MM-DD";
        return std::nullopt;
    }
    DateTimeText value;
    if (!value.SetDate(year, month, day) || year < kFirstScheduleYear || year > kLastScheduleYear) {
        error = "the date must be a day of the years 1900 to 2155";
        return std::nullopt;
    }
    return value.FormatDateTime(kFormatDate);
}

std::optional<std::string> TimesFromFixed(std::string_view text, std::string& error) {
    int hours[2], minutes[2];
    if (text.size() != 11 || text[2] != ':' || text[5] != '-' || text[8] != ':' || !ReadDigits(text, 0, 2, hours[0]) ||
        !ReadDigits(text, 3, 2, minutes[0]) || !ReadDigits(text, 6, 2, hours[1]) ||
        !ReadDigits(text, 9, 2, minutes[1])) {
        error = "the times must be written HH:MM-HH:MM";
        return std::nullopt;
    }
    std::string times;
    for (int i = 0; i < 2; ++i) {
        DateTimeText value;
        if (!value.SetTime(hours[i], minutes[i], 0)) {
            error = "the times must be times of day, 00:00 to 23:59";
            return std::nullopt;
        }
        if (i)
            times += kTimesSeparator;
        times += value.FormatDateTime(kFormatTime);
    }
    return times;
}

// The data length the record will have on the handheld: its line breaks lose
// their CR there. A schedule record starts with its packed date and times, each
// four bytes and a 0x00; the others with the lock byte.
std::size_t HandheldLength(const SectionRecord& record, int section) {
    std::size_t length = section == kSectionSchedule ? 2 * (kPackedDateSize + 1) : 1;
    for (int f = section == kSectionSchedule ? 2 : 0; f < SectionFieldCount(section); ++f) {
        const std::string& field = record.m_lstFields[f];
        length += field.size() + 1;
        for (char c : field)
            length -= c == '\r';
    }
    return length;
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
    for (std::size_t f = 0; f < fieldCount; ++f) {
        std::string error;
        std::optional<std::string> field;
        if (section == kSectionSchedule && f == 0)
            field = DateFromFixed(parts[1], error);
        else if (section == kSectionSchedule && f == 1)
            field = TimesFromFixed(parts[2], error);
        else
            field = UnescapeField(parts[f + 1], error);
        if (!field) {
            result.error = "field " + std::to_string(f + 1) + ": " + error;
            return result;
        }
        record.m_lstFields.push_back(std::move(*field));
    }
    if (const std::size_t length = HandheldLength(record, section); length > kMaxRecordData) {
        result.error = "the record takes " + std::to_string(length) + " bytes, the handheld at most " +
                       std::to_string(kMaxRecordData);
        return result;
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
