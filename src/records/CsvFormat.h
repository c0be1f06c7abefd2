// Every section as CSV: UTF-8, one record a row, a header row, a "locked" column.
#pragma once

#include "records/Interchange.h"

// Rows end with CR LF; a field holding a comma, a quote or a line break is quoted. The schedule's
// date and times are written YYYY-MM-DD and HH:MM-HH:MM.
std::string WriteCsvRecords(const std::vector<SectionRecord>& records, int section,
                            const std::vector<std::string>& captions);

// Takes a first row whose last column is "locked" as the header; a file whose first line holds
// semicolons and no commas is read with semicolons between its fields. The locked column holds 1
// or 0 (empty for 0) and may be missing altogether.
ForeignRead ReadCsvRecords(std::string_view text, int section);
