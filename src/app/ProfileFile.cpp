// The private profile (INI) file: the settings and every text the user reads.
#include "app/ProfileFile.h"

#include "app/AtomicFile.h"
#include "app/FileBytes.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    return ReadFileBytes(path, ProfileFile::kMaxFileSize).value_or(std::string());
}

// One line of the file, without its line end, and where it lies in the file.
struct Line {
    std::string_view text;
    std::size_t begin = 0; // offset of the first byte of the line
    std::size_t end = 0;   // offset just past the line's end (its line break included)
};

std::optional<Line> NextLine(std::string_view data, std::size_t from) {
    if (from >= data.size())
        return std::nullopt;
    std::size_t lf = data.find('\n', from);
    std::size_t stop = lf == std::string_view::npos ? data.size() : lf;
    std::size_t end = lf == std::string_view::npos ? data.size() : lf + 1;
    std::string_view text = data.substr(from, stop - from);
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    return Line{text, from, end};
}

std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt; // a damaged header opens no section
    return Trim(line.substr(1, close - 1));
}

// Key and value of a "key=value" line; comments and lines without '=' are none.
struct Entry {
    std::string_view key;
    std::string_view value;
    std::size_t valueOffset = 0; // offset of the byte after '=' within the line
};

std::optional<Entry> KeyEntry(std::string_view line) {
    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return std::nullopt;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return Entry{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), eq + 1};
}

// Where section/key stands in the file: the section's header line, the line of
// the key (if present) and the end of the section's last non-blank line.
struct Location {
    bool sectionFound = false;
    std::optional<Line> keyLine;
    std::optional<Entry> entry;
    std::size_t sectionContentEnd = 0;
};

Location Find(std::string_view data, std::string_view section, std::string_view key) {
    Location where;
    bool inSection = false;
    for (auto line = NextLine(data, 0); line; line = NextLine(data, line->end)) {
        if (auto name = SectionName(line->text)) {
            if (inSection)
                break; // only the first matching section counts
            if (SameName(*name, section)) {
                inSection = where.sectionFound = true;
                where.sectionContentEnd = line->end;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!Trim(line->text).empty())
            where.sectionContentEnd = line->end;
        auto entry = KeyEntry(line->text);
        if (entry && !where.keyLine && SameName(entry->key, key)) {
            where.keyLine = line;
            where.entry = entry;
            return where;
        }
    }
    return where;
}

std::string CleanValue(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    value = value.substr(0, value.find('\0'));
    if (value.size() > ProfileFile::kMaxValueLength)
        value = value.substr(0, ProfileFile::kMaxValueLength);
    return std::string(value);
}

std::string LineBreakOf(std::string_view data) {
    if (data.find("\r\n") != std::string_view::npos)
        return "\r\n";
    if (data.find('\n') != std::string_view::npos)
        return "\n";
#ifdef _WIN32
    return "\r\n";
#else
    return "\n";
#endif
}

} // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : m_path(std::move(path)) {}

std::string ProfileFile::Lookup(std::string_view data, std::string_view section, std::string_view key,
                                std::string_view def) {
    Location where = Find(data, section, key);
    if (!where.entry)
        return std::string(def);
    return CleanValue(where.entry->value);
}

int ProfileFile::LookupInt(std::string_view data, std::string_view section, std::string_view key, int def) {
    std::string value = Lookup(data, section, key, "");
    if (value.empty())
        return def;
    std::string_view s = Trim(value);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // Wrapping arithmetic as the platform does: an absurd number gives an
    // absurd value, never undefined behaviour.
    std::uint32_t result = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        result = result * 10u + static_cast<std::uint32_t>(c - '0');
    }
    if (negative)
        result = 0u - result;
    return static_cast<int>(static_cast<std::int32_t>(result));
}

std::string ProfileFile::Update(std::string_view data, std::string_view section, std::string_view key,
                                std::string_view value) {
    Location where = Find(data, section, key);
    if (where.keyLine) {
        // Keep the key as it was spelt and every byte around the value.
        std::size_t valueStart = where.keyLine->begin + where.entry->valueOffset;
        std::size_t valueEnd = where.keyLine->begin + where.keyLine->text.size();
        return std::string(data.substr(0, valueStart)) + std::string(value) + std::string(data.substr(valueEnd));
    }
    std::string lineBreak = LineBreakOf(data);
    std::string entry = std::string(key) + "=" + std::string(value) + lineBreak;
    if (where.sectionFound) {
        std::size_t at = where.sectionContentEnd;
        std::string head(data.substr(0, at));
        if (!head.empty() && head.back() != '\n')
            head += lineBreak;
        return head + entry + std::string(data.substr(at));
    }
    std::string result(data);
    if (!result.empty() && result.back() != '\n')
        result += lineBreak;
    return result + "[" + std::string(section) + "]" + lineBreak + entry;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key, std::string_view def) const {
    return Lookup(ReadWholeFile(m_path), section, key, def);
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int def) const {
    return LookupInt(ReadWholeFile(m_path), section, key, def);
}

bool ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) const {
    // The new file is the old one with one value changed, so the old one must
    // have been read whole: a profile that is there but unreadable, or larger
    // than a read takes, is never written over.
    std::optional<std::string> data = ReadFileBytes(m_path, kMaxFileSize + 1);
    std::error_code error;
    if (!data && std::filesystem::exists(m_path, error))
        return false;
    if (error || (data && data->size() > kMaxFileSize))
        return false;
    return WriteFileAtomically(m_path, Update(data.value_or(std::string()), section, key, value));
}

bool ProfileFile::WriteInt(std::string_view section, std::string_view key, int value) const {
    return WriteString(section, key, std::to_string(value));
}
