// The single-byte character sets of the program and their Unicode values.
#include "keyboard/CodePages.h"

#include <array>

namespace {

// 80h-BFh of code page 1251; C0h-FFh are U+0410-U+044F, 00h-7Fh ASCII.
constexpr std::array<char16_t, 64> kCp1251High{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

// 80h-9Fh of code page 1252; A0h-FFh are Latin-1.
constexpr std::array<char16_t, 32> kCp1252High{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The German capitals of the PC set, at 80h to 83h.
constexpr std::array<char16_t, 4> kPcGermanCapitals{0x00C4, 0x00D6, 0x00DC, 0x00DF};

template <typename ToUnicode> std::optional<std::uint8_t> Reverse(char32_t c, ToUnicode toUnicode) {
    if (c < 0x80)
        return static_cast<std::uint8_t>(c);
    for (int b = 0x80; b <= 0xFF; ++b)
        if (toUnicode(static_cast<std::uint8_t>(b)) == c)
            return static_cast<std::uint8_t>(b);
    return std::nullopt;
}

} // namespace

char32_t Cp1251ToUnicode(std::uint8_t byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return 0x0410 + (byte - 0xC0);
    return kCp1251High[byte - 0x80];
}

char32_t Cp1252ToUnicode(std::uint8_t byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return kCp1252High[byte - 0x80];
    return byte;
}

std::optional<std::uint8_t> UnicodeToCp1251(char32_t c) { return Reverse(c, Cp1251ToUnicode); }
std::optional<std::uint8_t> UnicodeToCp1252(char32_t c) { return Reverse(c, Cp1252ToUnicode); }

char32_t PcByteToUnicode(std::uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x83)
        return kPcGermanCapitals[byte - 0x80];
    return Cp1251ToUnicode(byte);
}

std::optional<std::uint8_t> UnicodeToPcByte(char32_t c) { return Reverse(c, PcByteToUnicode); }

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t NextUtf8(std::string_view text, std::size_t& pos) {
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    std::uint8_t lead = byte(pos);
    int length = lead < 0x80             ? 1
                 : (lead & 0xE0) == 0xC0 ? 2
                 : (lead & 0xF0) == 0xE0 ? 3
                 : (lead & 0xF8) == 0xF0 ? 4
                                         : 0;
    if (length == 0 || pos + static_cast<std::size_t>(length) > text.size()) {
        ++pos;
        return length == 1 ? lead : 0xFFFD;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((byte(pos + static_cast<std::size_t>(i)) & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        c = (c << 6) | (byte(pos + static_cast<std::size_t>(i)) & 0x3F);
    }
    pos += static_cast<std::size_t>(length);
    return c;
}

std::string PcToUtf8(std::string_view pc) {
    std::string out;
    out.reserve(pc.size() * 2);
    for (char c : pc)
        AppendUtf8(out, PcByteToUnicode(static_cast<std::uint8_t>(c)));
    return out;
}

std::string Utf8ToPc(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();)
        out += static_cast<char>(UnicodeToPcByte(NextUtf8(utf8, pos)).value_or('?'));
    return out;
}
