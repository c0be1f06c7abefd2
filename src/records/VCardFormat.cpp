// The telephone book as vCard 4.0 files; files of versions 3.0 and 2.1 are read too.
#include "records/VCardFormat.h"

#include "keyboard/CodePages.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace {

constexpr std::size_t kFoldWidth = 75; // octets per line, line break not counted

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// ---- writing

std::string Escaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\n') {
            escaped += "\\n";
            continue;
        }
        if (c == '\\' || c == ',' || c == ';')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// Folds a content line after at most 75 octets, never inside a UTF-8 sequence.
void AppendFolded(std::string& out, std::string_view line) {
    std::size_t width = kFoldWidth;
    while (line.size() > width) {
        std::size_t cut = width;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line.substr(0, cut)) += "\r\n ";
        line.remove_prefix(cut);
        width = kFoldWidth - 1; // the leading space counts
    }
    out.append(line) += "\r\n";
}

// Family and given name of the handheld's one name field.
std::pair<std::string, std::string> SplitName(const std::string& name) {
    std::size_t split = name.find(',');
    if (split != std::string::npos) {
        const std::size_t given = name.find_first_not_of(' ', split + 1);
        return {name.substr(0, split), given == std::string::npos ? std::string() : name.substr(given)};
    }
    split = name.rfind(' ');
    if (split == std::string::npos)
        return {name, {}};
    return {name.substr(split + 1), name.substr(0, split)};
}

// ---- reading

struct ContentLine {
    std::size_t number; // where the line starts in the file
    std::string text;
};

bool IsQuotedPrintable(std::string_view line) {
    const std::size_t colon = line.find(':');
    std::string head(line.substr(0, colon));
    std::transform(head.begin(), head.end(), head.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return head.find("QUOTED-PRINTABLE") != std::string::npos;
}

// The file's physical lines joined into content lines: a line starting with a space or TAB goes on
// the one before; in a quoted-printable value of the old version, a line ending with "=" goes on
// into the next.
std::vector<ContentLine> Unfold(std::string_view text) {
    std::vector<ContentLine> lines;
    std::size_t number = 0;
    bool softBreak = false;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        ++number;
        if (softBreak && !lines.empty()) {
            lines.back().text += line;
        } else if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !lines.empty()) {
            lines.back().text += line.substr(1);
        } else {
            lines.push_back({number, std::string(line)});
        }
        std::string* joined = lines.empty() ? nullptr : &lines.back().text;
        softBreak = joined && !joined->empty() && joined->back() == '=' && IsQuotedPrintable(*joined);
        if (softBreak)
            joined->pop_back();
    }
    return lines;
}

struct Property {
    std::string name;                // upper case, without its group
    std::vector<std::string> params; // upper case, as written: "TYPE=CELL,PREF", "PREF"
    std::string value;               // raw
};

// Splits "group.NAME;PARAM=x;PARAM:value" at the first colon outside a quoted parameter value.
std::optional<Property> ParseLine(const std::string& line) {
    bool quoted = false;
    std::size_t colon = std::string::npos;
    for (std::size_t i = 0; i < line.size() && colon == std::string::npos; ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            colon = i;
    }
    if (colon == std::string::npos || colon == 0)
        return std::nullopt;
    Property property;
    std::string head = line.substr(0, colon);
    std::transform(head.begin(), head.end(), head.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    std::size_t start = 0;
    for (std::size_t semicolon; (semicolon = head.find(';', start)) != std::string::npos; start = semicolon + 1)
        (property.name.empty() ? property.name : property.params.emplace_back()) =
            head.substr(start, semicolon - start);
    (property.name.empty() ? property.name : property.params.emplace_back()) = head.substr(start);
    if (const std::size_t dot = property.name.rfind('.'); dot != std::string::npos)
        property.name.erase(0, dot + 1);
    property.value = line.substr(colon + 1);
    return property;
}

bool HasParam(const Property& property, std::string_view wanted) {
    return std::any_of(property.params.begin(), property.params.end(),
                       [&](const std::string& param) { return param.find(wanted) != std::string::npos; });
}

std::string ParamValue(const Property& property, std::string_view name) {
    for (const std::string& param : property.params)
        if (param.size() > name.size() && param.compare(0, name.size(), name) == 0 && param[name.size()] == '=')
            return param.substr(name.size() + 1);
    return {};
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// The value's bytes as UTF-8: quoted-printable undone, an old single-byte character set converted.
std::string DecodedValue(const Property& property) {
    std::string bytes;
    if (HasParam(property, "QUOTED-PRINTABLE")) {
        const std::string& value = property.value;
        for (std::size_t i = 0; i < value.size(); ++i) {
            const int high = i + 2 < value.size() + 0 && value[i] == '=' ? HexDigit(value[i + 1]) : -1;
            const int low = high >= 0 ? HexDigit(value[i + 2]) : -1;
            if (low >= 0) {
                bytes += static_cast<char>(high * 16 + low);
                i += 2;
            } else {
                bytes += value[i];
            }
        }
    } else {
        bytes = property.value;
    }
    const std::string charset = ParamValue(property, "CHARSET");
    char32_t (*toUnicode)(std::uint8_t) = nullptr;
    if (charset == "ISO-8859-1" || charset == "WINDOWS-1252" || charset == "CP1252")
        toUnicode = Cp1252ToUnicode;
    else if (charset == "WINDOWS-1251" || charset == "CP1251")
        toUnicode = Cp1251ToUnicode;
    if (!toUnicode)
        return bytes;
    std::string utf8;
    for (char c : bytes)
        AppendUtf8(utf8, toUnicode(static_cast<std::uint8_t>(c)));
    return utf8;
}

// A text value's escapes undone; with split, also its components (at unescaped semicolons).
std::vector<std::string> Unescaped(std::string_view value, bool split) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            parts.back() += next == 'n' || next == 'N' ? '\n' : next;
        } else if (c == ';' && split) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

std::string JoinNonEmpty(const std::vector<std::string>& parts, std::string_view separator) {
    std::string joined;
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        if (!joined.empty())
            joined += separator;
        joined += part;
    }
    return joined;
}

// N: family; given; additional; prefixes; suffixes.
std::string NameOfN(const std::vector<std::string>& parts) {
    std::vector<std::string> given;
    for (std::size_t i = 1; i < 3 && i < parts.size(); ++i)
        given.push_back(parts[i]);
    return JoinNonEmpty({parts[0], JoinNonEmpty(given, " ")}, ", ");
}

// ADR: post office box; extended address; street; locality; region; postal code; country.
std::string AddressOfAdr(std::vector<std::string> parts) {
    parts.resize(7);
    return JoinNonEmpty({parts[0], parts[1], parts[2], JoinNonEmpty({parts[5], parts[3]}, " "), parts[4], parts[6]},
                        ", ");
}

// The PREF weight of a TEL: 1 to 100 as 4.0 writes it, TYPE=PREF or a bare PREF as 1, else none.
int Preference(const Property& property) {
    const std::string pref = ParamValue(property, "PREF");
    if (!pref.empty() && std::all_of(pref.begin(), pref.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
        pref.size() < 4)
        return std::stoi(pref);
    return HasParam(property, "PREF") ? 1 : INT_MAX;
}

struct Card {
    std::string formattedName, name, telephone;
    bool hasTelephone = false;
    int telephonePreference = INT_MAX;
    std::vector<std::string> addressAndNotes;
    bool locked = false;

    void Take(const Property& property) {
        const std::string& n = property.name;
        if (n == "FN" && formattedName.empty()) {
            formattedName = Unescaped(DecodedValue(property), false)[0];
        } else if (n == "N" && name.empty()) {
            name = NameOfN(Unescaped(DecodedValue(property), true));
        } else if (n == "TEL") {
            const int preference = Preference(property);
            if (hasTelephone && preference >= telephonePreference)
                return;
            hasTelephone = true;
            std::string number = Unescaped(DecodedValue(property), false)[0];
            if (SameLetters(std::string_view(number).substr(0, 4), "TEL:"))
                number.erase(0, 4);
            telephone = number;
            telephonePreference = preference;
        } else if (n == "ADR") {
            addressAndNotes.push_back(AddressOfAdr(Unescaped(DecodedValue(property), true)));
        } else if (n == "NOTE") {
            addressAndNotes.push_back(Unescaped(DecodedValue(property), false)[0]);
        } else if (n == "CATEGORIES") {
            for (std::string category : Unescaped(DecodedValue(property), false)) {
                for (std::size_t start = 0, comma;; start = comma + 1) {
                    comma = category.find(',', start);
                    if (SameLetters(category.substr(start, comma - start), "LOCKED"))
                        locked = true;
                    if (comma == std::string::npos)
                        break;
                }
            }
        }
    }

    ForeignRecord Record() const {
        return {{formattedName.empty() ? name : formattedName, telephone, JoinNonEmpty(addressAndNotes, "\n")}, locked};
    }
};

} // namespace

std::string WriteVCards(const std::vector<SectionRecord>& records) {
    std::string out;
    for (const SectionRecord& record : records) {
        auto field = [&](std::size_t f) {
            return f < record.m_lstFields.size() ? ExportFieldText(record.m_lstFields[f]) : std::string();
        };
        const std::string name = field(0), telephone = field(1), note = field(2);
        const auto [family, given] = SplitName(name);
        out += "BEGIN:VCARD\r\nVERSION:4.0\r\n";
        AppendFolded(out, "FN:" + Escaped(name));
        AppendFolded(out, "N:" + Escaped(family) + ';' + Escaped(given) + ";;;");
        if (!telephone.empty())
            AppendFolded(out, "TEL:" + Escaped(telephone));
        if (!note.empty())
            AppendFolded(out, "NOTE:" + Escaped(note));
        if (record.m_nLocked)
            out += "CATEGORIES:LOCKED\r\n";
        out += "END:VCARD\r\n";
    }
    return out;
}

ForeignRead ReadVCards(std::string_view text) {
    ForeignRead read;
    std::optional<Card> card;
    std::size_t cardLine = 0, nested = 0;
    auto fail = [&](std::size_t line, std::string why) {
        read.records.clear();
        read.error = std::move(why);
        read.errorLine = line;
        return read;
    };
    for (const ContentLine& line : Unfold(text)) {
        if (line.text.find_first_not_of(" \t") == std::string::npos)
            continue;
        std::optional<Property> property = ParseLine(line.text);
        if (!property)
            return fail(line.number, "a line without a property name and a colon");
        const bool vcardValue = SameLetters(property->value, "VCARD");
        if (property->name == "BEGIN" && vcardValue) {
            if (card) {
                ++nested; // a card carried inside another (the old AGENT): not a contact of its own
                continue;
            }
            card.emplace();
            cardLine = line.number;
        } else if (property->name == "END" && vcardValue) {
            if (!card)
                return fail(line.number, "END:VCARD without a BEGIN:VCARD before it");
            if (nested) {
                --nested;
                continue;
            }
            read.records.push_back(card->Record());
            card.reset();
        } else if (!card) {
            return fail(line.number, "a property outside BEGIN:VCARD ... END:VCARD");
        } else if (!nested) {
            card->Take(*property);
        }
    }
    if (card)
        return fail(cardLine, "the card that begins here has no END:VCARD");
    return read;
}
