// What a record field accepts: capitals only, and on the Latin side no accents but the umlauts.
#pragma once

#include <string>
#include <string_view>

// Takes one typed or pasted byte (code page 1252 on the Latin side, 1251 on the Cyrillic side)
// and returns true with c changed to what the field stores (PC text), or false when the
// character is dropped. Lower case becomes upper case; on the Latin side accented letters fold
// to their base letters and Ä Ö Ü ß become 80h to 83h.
bool FilterChar(char& c, bool latinSide);

// Every accepted byte of text, changed; rejected bytes are left out.
std::string FilterText(std::string_view text, bool latinSide);
