// A record as one line of UTF-8 text, for listing and importing sections.
#pragma once

#include "records/SectionRecord.h"

#include <optional>
#include <string>
#include <string_view>

// "L" or "-" for the lock flag, then the section's fields, each after a TAB.
// Inside a field a line break is written \n, a TAB \t, a backslash \\ and a
// carriage return without its line feed \r. Schedule dates and times take the
// fixed forms YYYY-MM-DD and HH:MM-HH:MM, whatever the locale, so that a
// listing reads the same on every machine.
std::string FormatRecordLine(const SectionRecord& record, int section);

// The record of a line of that form, with its fields in PC text and the
// schedule's date and times as the locale writes them; or the reason the line
// is malformed. Every other character is folded as a record field folds what
// is typed into it (capitals, accents to their base letters); a character no
// field can hold, and a field longer than the record editor lets it be, make
// the line malformed.
struct ParsedRecordLine {
    std::optional<SectionRecord> record;
    std::string error;
    std::size_t column = 0; // where in the line the fault begins (from 1); 0 for the whole line
};
ParsedRecordLine ParseRecordLine(std::string_view line, int section);

// The section numbers of the names telephone, schedule, er-dict and re-dict;
// 0 for any other name.
int SectionByName(std::string_view name);
