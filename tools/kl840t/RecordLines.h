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
// is malformed.
struct ParsedRecordLine {
    std::optional<SectionRecord> record;
    std::string error;
};
ParsedRecordLine ParseRecordLine(std::string_view line, int section);

// The section numbers of the names telephone, schedule, er-dict and re-dict;
// 0 for any other name.
int SectionByName(std::string_view name);
