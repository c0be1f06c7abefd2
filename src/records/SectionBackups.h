// The old versions of the section files: every replacement keeps the file it
// replaces as a dated copy, and any copy can be put back.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The copies lie in this folder beside the section files, named after the
// file and the local time it was replaced: "840.0.2026-12-05T183000", with
// "-2", "-3" ... when one second saw several.
inline constexpr char kBackupFolderName[] = "backups";
// The newest this many copies of each section are kept; older ones go, except
// copies of damaged files, which hold what no other copy holds.
inline constexpr std::size_t kBackupsKept = 10;

struct SectionBackup {
    std::string stamp;
    std::filesystem::path path;
    std::uintmax_t bytes = 0;
};

struct SectionShape {
    std::size_t records = 0;
    bool damaged = false;
};

// Replaces the section file by these bytes, or by a file already written in
// the same folder, after the old file has been kept in the backups. Nothing is
// replaced when the old file cannot be read or kept. The new file takes the
// old one's place with one rename, so the section file is always whole.
bool ReplaceSectionFile(const std::filesystem::path& sectionFile, std::string_view bytes);
bool ReplaceSectionFileWith(const std::filesystem::path& sectionFile, const std::filesystem::path& newFile);

// Keeps the section file's present bytes in the backups unless nothing would
// be lost without it (no file, the same bytes as newBytes or as the newest
// copy). True when the old bytes are safe; the new copy's stamp, if one was
// made, goes to keptStamp.
bool KeepBackup(const std::filesystem::path& sectionFile, std::optional<std::string_view> newBytes = std::nullopt,
                std::string* keptStamp = nullptr);
void PruneBackups(const std::filesystem::path& sectionFile);

// The copies of a section's file (in dir, or the section directory when
// empty), oldest first.
std::vector<SectionBackup> ListBackups(int section, const std::filesystem::path& dir = {});
// How many records a section file's bytes hold, and whether the reader stops
// at damage before their end.
SectionShape InspectSectionBytes(std::string_view bytes, int section);

// Puts the copy with the stamp or file name (the newest when empty) back as
// the section file, keeping the present file as a copy first.
struct RestoreResult {
    bool found = false;                    // there is such a copy
    std::optional<SectionBackup> restored; // it is now the section file
    std::string keptStamp;                 // the copy of the replaced file; empty when none was needed
};
RestoreResult RestoreBackup(int section, const std::string& stamp, const std::filesystem::path& dir = {});

// Received bytes that could not take the section file's place are kept beside
// it under a name of their own ("840.0.received-<stamp>"), so that the next
// download does not clear them away. The name they are kept under.
std::filesystem::path KeepReceivedFile(const std::filesystem::path& received, const std::filesystem::path& sectionFile);

// The clock that dates the copies; nullptr puts the system's back.
void SetBackupClock(std::function<std::time_t()> clock);
