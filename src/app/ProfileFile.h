// The private profile (INI) file: the settings and every text the user reads.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Reads and writes one INI file with the rules that the program's delivered
// profiles were written for: section and key names compare without regard to
// case, the first matching section and the first matching key in it win, blanks
// and one pair of surrounding quotes are trimmed from a value, and values are
// bytes (the texts are in the PC character set, not UTF-8). Every read sees the
// file as it is on disk now; nothing is cached. A missing, unreadable or damaged
// file never fails a read: the caller's default comes back.
class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& Path() const { return m_path; }

    // The value of section/key, or def when there is none. Values are cut at
    // the first NUL byte and after kMaxValueLength bytes, as the platform's
    // buffer would cut them.
    std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;

    // The value read as a decimal integer: optional blanks and sign, then the
    // leading digits (no digits gives 0). def when the key is missing or empty.
    int GetInt(std::string_view section, std::string_view key, int def) const;

    // Updates the first matching key in place, or adds the key at the end of its
    // section, or the section at the end of the file. Every other byte of the
    // file stays as it was. The new file replaces the old one by one rename, so a
    // failed write leaves the old file. Returns false when the file could not be
    // written, or could not be read whole first (it is then left untouched).
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    bool WriteInt(std::string_view section, std::string_view key, int value) const;

    // The same rules on the bytes of a profile held in memory: what a read
    // gives, and the bytes after a write.
    static std::string Lookup(std::string_view data, std::string_view section, std::string_view key,
                              std::string_view def);
    static int LookupInt(std::string_view data, std::string_view section, std::string_view key, int def);
    static std::string Update(std::string_view data, std::string_view section, std::string_view key,
                              std::string_view value);

    static constexpr std::size_t kMaxValueLength = 4095;
    // A profile larger than this is read only up to here.
    static constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

private:
    std::filesystem::path m_path;
};
