// Every section as CSV: UTF-8, one record a row, a header row, a "locked" column.
#include "records/CsvFormat.h"

#include "keyboard/CodePages.h"
#include "records/ScheduleTexts.h"
#include "records/Sections.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::string_view kLockedColumn = "locked";

void AppendCell(std::string& out, std::string_view cell) {
    if (cell.find_first_of(",;\"\r\n") == std::string_view::npos) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

struct Row {
    std::size_t line;
    std::vector<std::string> cells;
};

// RFC 4180 rows; quoted fields may hold separators, quotes (doubled) and line breaks.
bool SplitRows(std::string_view text, char separator, std::vector<Row>& rows, std::string& error,
               std::size_t& errorLine) {
    std::size_t line = 1;
    std::size_t pos = 0;
    while (pos < text.size()) {
        Row row{line, {std::string()}};
        bool rowEnded = false;
        while (!rowEnded) {
            std::string& cell = row.cells.back();
            if (pos < text.size() && text[pos] == '"') {
                const std::size_t quoteLine = line;
                for (++pos;; ++pos) {
                    if (pos >= text.size()) {
                        error = "a quoted field that begins here is never closed";
                        errorLine = quoteLine;
                        return false;
                    }
                    if (text[pos] == '"') {
                        if (pos + 1 < text.size() && text[pos + 1] == '"') {
                            cell += '"';
                            ++pos;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    line += text[pos] == '\n' || (text[pos] == '\r' && text.compare(pos, 2, "\r\n") != 0);
                    cell += text[pos];
                }
                if (pos < text.size() && text[pos] != separator && text[pos] != '\r' && text[pos] != '\n') {
                    error = "text after the closing quote of a field";
                    errorLine = line;
                    return false;
                }
            } else {
                const std::size_t end = text.find_first_of(std::string{separator, '\r', '\n'}, pos);
                cell.append(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
                pos = end == std::string_view::npos ? text.size() : end;
            }
            if (pos < text.size() && text[pos] == separator) {
                ++pos;
                row.cells.emplace_back();
                continue;
            }
            rowEnded = true;
            pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : (pos < text.size() ? 1 : 0);
            ++line;
        }
        if (!(row.cells.size() == 1 && row.cells[0].empty()))
            rows.push_back(std::move(row));
    }
    return true;
}

bool IsLockedHeader(const std::vector<std::string>& cells) {
    std::string last = cells.back();
    std::transform(last.begin(), last.end(), last.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return last == kLockedColumn;
}

} // namespace

std::string WriteCsvRecords(const std::vector<SectionRecord>& records, int section,
                            const std::vector<std::string>& captions) {
    const int fieldCount = SectionFieldCount(section);
    std::string out;
    for (int f = 0; f < fieldCount; ++f) {
        const auto index = static_cast<std::size_t>(f);
        AppendCell(out, index < captions.size() ? PcToUtf8(captions[index]) : "field " + std::to_string(f + 1));
        out += ',';
    }
    (out += kLockedColumn) += "\r\n";
    for (const SectionRecord& record : records) {
        for (int f = 0; f < fieldCount; ++f) {
            const auto index = static_cast<std::size_t>(f);
            const std::string field = index < record.m_lstFields.size() ? record.m_lstFields[index] : std::string();
            std::string cell;
            if (section == kSectionSchedule && f == 0)
                cell = FixedScheduleDate(field).value_or(field);
            else if (section == kSectionSchedule && f == 1)
                cell = FixedScheduleTimes(field).value_or(field);
            else
                cell = ExportFieldText(field);
            AppendCell(out, cell);
            out += ',';
        }
        out += record.m_nLocked ? "1\r\n" : "0\r\n";
    }
    return out;
}

ForeignRead ReadCsvRecords(std::string_view text, int section) {
    ForeignRead read;
    const std::string_view firstLine = text.substr(0, text.find_first_of("\r\n"));
    const char separator =
        firstLine.find(';') != std::string_view::npos && firstLine.find(',') == std::string_view::npos ? ';' : ',';
    std::vector<Row> rows;
    if (!SplitRows(text, separator, rows, read.error, read.errorLine))
        return read;
    const std::size_t fieldCount = SectionFieldCount(section);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        Row& row = rows[r];
        if (r == 0 && IsLockedHeader(row.cells))
            continue;
        auto fail = [&](std::string why) {
            read.records.clear();
            read.error = std::move(why);
            read.errorLine = row.line;
            return read;
        };
        if (row.cells.size() != fieldCount && row.cells.size() != fieldCount + 1)
            return fail("expected " + std::to_string(fieldCount) + " fields and the locked column, found " +
                        std::to_string(row.cells.size()) + " columns");
        ForeignRecord record;
        if (row.cells.size() > fieldCount) {
            const std::string& locked = row.cells.back();
            if (locked != "1" && locked != "0" && !locked.empty())
                return fail("the locked column holds 1 or 0");
            record.locked = locked == "1";
            row.cells.pop_back();
        }
        if (section == kSectionSchedule) {
            std::string error;
            std::optional<std::string> date = ScheduleDateFromFixed(row.cells[0], error);
            std::optional<std::string> times = date ? ScheduleTimesFromFixed(row.cells[1], error) : std::nullopt;
            if (!times)
                return fail(error);
            row.cells[0] = std::move(*date);
            row.cells[1] = std::move(*times);
        }
        record.fields = std::move(row.cells);
        read.records.push_back(std::move(record));
    }
    return read;
}
