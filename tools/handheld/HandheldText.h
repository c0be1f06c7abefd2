// The handheld's own character set, for writing its sample data.
#pragma once

#include <string>
#include <string_view>

// UTF-8 to the handheld's bytes: ASCII as is (line breaks LF), the Cyrillic
// capitals А to Я at 80h-9Fh, Ё at F0h, Ä Ö Ü ß at F2h-F5h. Any other
// character becomes '?'.
std::string ToHandheldText(std::string_view utf8);
