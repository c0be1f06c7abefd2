// What a record field accepts: capitals only, and on the Latin side no accents but the umlauts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Takes one typed or pasted byte (code page 1252 on the Latin side, 1251 on the Cyrillic side)
// and returns true with c changed to what the field stores (PC text), or false when the
// character is dropped. Lower case becomes upper case; on the Latin side accented letters fold
// to their base letters and Ä Ö Ü ß become 80h to 83h.
bool FilterChar(char& c, bool latinSide);

// Every accepted byte of text, changed; rejected bytes are left out.
std::string FilterText(std::string_view text, bool latinSide);

// Which code page a Unicode character is first turned into before FilterChar sees it: the one of a
// keyboard side, as typing and pasting do, or either, as files brought in from other programs do
// (Latin first, then Cyrillic).
enum class FieldCharSide { Latin, Cyrillic, Either };

// The PC byte a record field stores for one Unicode character, or nothing when the field cannot hold
// it. NUL never enters (it ends a field on the handheld); with either side, a Cyrillic-side byte
// 80h-83h is refused too, since the PC set shows those as the German capitals.
std::optional<char> FoldCharForField(char32_t c, FieldCharSide side);

// A UTF-8 text brought into a record field from outside, every character folded with either side:
// the field's PC text (a lone LF becomes the PC's CR LF), how many characters were changed on the
// way (lower case, accents), and the characters the field cannot hold, which are left out, each with
// its position in the text (counted in characters from 0).
struct FieldFolding {
    struct Refused {
        std::size_t position;
        char32_t character;
    };
    std::string pc;
    std::size_t folded = 0;
    std::vector<Refused> refused;
};
FieldFolding FoldIntoField(std::string_view utf8);
