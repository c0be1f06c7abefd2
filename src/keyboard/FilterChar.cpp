// What a record field accepts: capitals only, and on the Latin side no accents but the umlauts.
#include "keyboard/FilterChar.h"

#include "keyboard/CodePages.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <unordered_map>

namespace {

// Upper-case code page 1252 letters and what the field stores for them; every other byte from
// 7Fh up is refused on the Latin side. 00h means "refused".
constexpr std::array<std::uint8_t, 129> MakeLatinFolding() {
    std::array<std::uint8_t, 129> table{};
    auto fold = [&](std::uint8_t result, std::initializer_list<std::uint8_t> from) {
        for (auto byte : from)
            table[byte - 0x7F] = result;
    };
    fold('A', {0xC0, 0xC1, 0xC2, 0xC3, 0xC5});
    fold('C', {0xC7});
    fold('D', {0xD0});
    fold('E', {0xC8, 0xC9, 0xCA, 0xCB});
    fold('I', {0xCC, 0xCD, 0xCE, 0xCF});
    fold('N', {0xD1});
    fold('O', {0xD2, 0xD3, 0xD4, 0xD5, 0xD8});
    fold('S', {0x8A, 0x9A});
    fold('U', {0xD9, 0xDA, 0xDB});
    fold('Y', {0x9F, 0xDD, 0xFF});
    fold(0x80, {0xC4});
    fold(0x81, {0xD6});
    fold(0x82, {0xDC});
    fold(0x83, {0xDF});
    return table;
}

constexpr auto kLatinFolding = MakeLatinFolding();

} // namespace

bool FilterChar(char& c, bool latinSide) {
    auto byte = static_cast<std::uint8_t>(c);
    if (byte <= 0x60 || (byte >= 0x7B && byte <= 0x7E))
        return true;
    if (byte <= 0x7A) {
        c = static_cast<char>(byte - 0x20);
        return true;
    }
    // E0h to FEh are the small letters of both code pages; FFh (Latin ÿ, Cyrillic я) is not.
    if (byte >= 0xE0 && byte <= 0xFE)
        byte -= 0x20;
    if (!latinSide) {
        c = static_cast<char>(byte == 0xFF ? 0xDF : byte);
        return true;
    }
    std::uint8_t folded = kLatinFolding[byte - 0x7F];
    if (folded == 0)
        return false;
    c = static_cast<char>(folded);
    return true;
}

std::string FilterText(std::string_view text, bool latinSide) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (FilterChar(c, latinSide))
            out += c;
    return out;
}

namespace {

std::optional<char> FilteredOnSide(char32_t c, bool latinSide) {
    const std::optional<std::uint8_t> byte = latinSide ? UnicodeToCp1252(c) : UnicodeToCp1251(c);
    if (!byte)
        return std::nullopt;
    char pc = static_cast<char>(*byte);
    if (!FilterChar(pc, latinSide))
        return std::nullopt;
    return pc;
}

bool IsGermanCapitalByte(char pc) {
    const auto byte = static_cast<std::uint8_t>(pc);
    return byte >= 0x80 && byte <= 0x83;
}

} // namespace

std::optional<char> FoldCharForField(char32_t c, FieldCharSide side) {
    if (c == U'\0')
        return std::nullopt;
    if (c < 0x7F) // the same on both sides
        return FilteredOnSide(c, true);
    if (side != FieldCharSide::Either)
        return FilteredOnSide(c, side == FieldCharSide::Latin);
    // Files bring whole texts through here: what the two code pages hold above ASCII is looked
    // up once.
    static const std::unordered_map<char32_t, char> kEither = [] {
        std::unordered_map<char32_t, char> table;
        for (int byte = 0x7F; byte <= 0xFF; ++byte) {
            for (char32_t each :
                 {Cp1251ToUnicode(static_cast<std::uint8_t>(byte)), Cp1252ToUnicode(static_cast<std::uint8_t>(byte))}) {
                std::optional<char> folded = FilteredOnSide(each, true);
                if (!folded) {
                    folded = FilteredOnSide(each, false);
                    if (folded && IsGermanCapitalByte(*folded))
                        folded.reset();
                }
                if (folded)
                    table.emplace(each, *folded);
            }
        }
        return table;
    }();
    const auto found = kEither.find(c);
    return found == kEither.end() ? std::nullopt : std::optional<char>(found->second);
}

FieldFolding FoldIntoField(std::string_view utf8) {
    FieldFolding result;
    result.pc.reserve(utf8.size());
    char32_t previous = 0;
    for (std::size_t pos = 0, position = 0; pos < utf8.size(); ++position) {
        const char32_t c = NextUtf8(utf8, pos);
        if (c == U'\n' && previous != U'\r')
            result.pc += '\r';
        previous = c;
        const std::optional<char> pc = FoldCharForField(c, FieldCharSide::Either);
        if (!pc) {
            result.refused.push_back({position, c});
            continue;
        }
        result.folded += PcByteToUnicode(static_cast<std::uint8_t>(*pc)) != c;
        result.pc += *pc;
    }
    return result;
}
