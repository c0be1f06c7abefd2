// Loading a section file into the record list and saving the list back.
#pragma once

#include "records/SectionRecord.h"

#include <filesystem>
#include <functional>
#include <vector>

// The records of the section the Data page has loaded, in file order.
extern std::vector<SectionRecord> g_records;

// Asked when the section file is missing or shorter than a packet header:
// message "48", whether to create an empty file (OK "33", Cancel "34"). True
// for OK.
using ConfirmCreateSection = std::function<bool()>;

enum class LoadResult {
    Loaded,   // g_records holds the file's records
    Damaged,  // g_records holds the records before the damage
    Declined, // no file and no creation: g_records untouched
    Failed,   // not a record section, a file that is there but unreadable, or the empty file could not be
              // made: g_records untouched
};

// Reads the section's file (in dir, or the section directory when dir is
// empty) into g_records. A missing file is first offered for creation as one
// empty packet marked L. The records shortened to fit the record buffer, by
// their place in g_records, go to shortened.
LoadResult LoadSection(int section, const ConfirmCreateSection& confirmCreate, const std::filesystem::path& dir = {},
                       std::vector<std::size_t>* shortened = nullptr);

// Writes g_records as the section's file. The old file is kept in the backups
// first, and the new file replaces it with a single rename, so a failed save
// (false) leaves the old file whole.
bool SaveSection(int section, const std::filesystem::path& dir = {});
