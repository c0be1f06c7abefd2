// The handheld's memory on disk: one section file per letter in a directory.
#pragma once

#include <map>
#include <string>

// Reads "840.0" to "840.3" from the directory; a file that is missing or
// unreadable leaves its section out.
std::map<char, std::string> LoadSectionFiles(const std::string& directory);
// Replaces the section's file in one rename, so that a reader never sees half
// of it. False when the letter names no section or the file cannot be written.
bool SaveSectionFile(const std::string& directory, char letter, const std::string& bytes);
