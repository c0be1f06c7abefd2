// Reading a whole file as bytes, without ever letting a read error escape.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// The file's bytes, at most maxSize of them; nothing when it is not a regular
// file or cannot be read. A read error (a directory, a device that went away)
// is a missing result, never an exception.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path,
                                         std::size_t maxSize = static_cast<std::size_t>(-1));
