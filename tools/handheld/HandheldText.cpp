// The handheld's own character set, for writing its sample data.
#include "handheld/HandheldText.h"

namespace {

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t c = extra == 3 ? lead & 0x07 : extra == 2 ? lead & 0x0F : extra == 1 ? lead & 0x1F : lead;
    for (; extra > 0 && pos < text.size(); --extra)
        c = c << 6 | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    return c;
}

} // namespace

std::string ToHandheldText(std::string_view utf8) {
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, pos);
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c >= U'А' && c <= U'Я')
            out += static_cast<char>(0x80 + (c - U'А'));
        else if (c == U'Ё')
            out += static_cast<char>(0xF0);
        else if (c == U'Ä')
            out += static_cast<char>(0xF2);
        else if (c == U'Ö')
            out += static_cast<char>(0xF3);
        else if (c == U'Ü')
            out += static_cast<char>(0xF4);
        else if (c == U'ß')
            out += static_cast<char>(0xF5);
        else
            out += '?';
    }
    return out;
}
