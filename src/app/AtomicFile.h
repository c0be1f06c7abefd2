// Replacing a file so that it is never left half-written.
#pragma once

#include <filesystem>
#include <string_view>

// Writes the bytes to a new file beside the target, puts them on the disk and
// renames the new file into place. The directory is created when it is
// missing. On any failure the old file is left as it was, the new one is
// removed, and the result is false. A symbolic link is followed (the link
// stays), and a target that is a device or a pipe is written as it is.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Puts an already written file in place of the target with one rename, and
// makes the rename last through a crash.
bool ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target);

// Waits until the file's bytes, or a folder's list of names, are on the disk:
// what a rename publishes must not be lost with the power.
bool SyncFile(const std::filesystem::path& path);
bool SyncDirectory(const std::filesystem::path& dir);
