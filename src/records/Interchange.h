// The records in and out of the user's other programs: vCard, iCalendar and CSV files.
#pragma once

#include "records/SectionRecord.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class InterchangeFormat { VCard, ICalendar, Csv };

// "vcard", "ical", "csv"; the format of a file name's extension (.vcf, .ics, .csv, any case).
std::optional<InterchangeFormat> InterchangeFormatByName(std::string_view name);
std::optional<InterchangeFormat> InterchangeFormatOfFile(const std::filesystem::path& file);
const char* InterchangeExtension(InterchangeFormat format); // ".vcf", ".ics", ".csv"
// The telephone book goes to vCard, the schedule to iCalendar, every section to CSV.
bool InterchangeFormatFits(InterchangeFormat format, int section);

// A record as a reader finds it in a file: its fields as UTF-8 text (the schedule's date and times
// already as the locale's texts), not yet fitted to what the handheld holds.
struct ForeignRecord {
    std::vector<std::string> fields;
    bool locked = false;
};

struct ForeignRead {
    std::vector<ForeignRecord> records;
    std::size_t leftOut = 0;          // entries with nothing the section could hold
    std::size_t firstOccurrences = 0; // recurring events taken as their first occurrence
    std::string error;                // a malformed file: why, and on which line (from 1)
    std::size_t errorLine = 0;
};

// What an import did to the records on their way in. Records count from 1 in the file's order of
// the records taken, fields from 0.
struct ImportReport {
    struct Cut {
        std::size_t record;
        int field;
    };
    struct Refused {
        std::size_t record;
        int field;
        char32_t character;
    };
    std::size_t read = 0;
    std::vector<Cut> cut;         // texts longer than the field's limit, cut at it
    std::size_t folded = 0;       // characters changed to what the handheld holds (capitals, base letters)
    std::vector<Refused> refused; // characters no field can hold, left out
    std::size_t leftOut = 0;      // entries not taken: empty ones, days the handheld cannot carry, duplicates
    std::size_t firstOccurrences = 0;
};

struct ImportResult {
    std::vector<SectionRecord> records; // PC text, each field within its limit
    ImportReport report;
    std::string error; // not empty for a malformed file, whose records are all refused
    std::size_t errorLine = 0;
};

// The records as a file of the format (UTF-8, the PC's text through the display map). The CSV
// file's header names the fields with the given captions (PC text) and ends with a "locked" column.
std::string ExportRecords(const std::vector<SectionRecord>& records, int section, InterchangeFormat format,
                          const std::vector<std::string>& captions = {});

// The records of a file of the format for the section, folded and cut to what its fields hold.
ImportResult ImportRecords(std::string_view bytes, int section, InterchangeFormat format);

// Adds the imported records after the present ones, leaving out those that are already there
// exactly (fields and lock); returns how many were left out.
std::size_t AppendNewRecords(std::vector<SectionRecord>& present, const std::vector<SectionRecord>& imported);

// Shared by the formats: a field's PC text as UTF-8 with LF line breaks, and the file's bytes
// without a leading byte order mark.
std::string ExportFieldText(std::string_view pc);
std::string_view WithoutByteOrderMark(std::string_view bytes);
