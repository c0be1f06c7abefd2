// The one place where the program's PC text bytes become Qt strings and back.
#pragma once

#include <QString>

#include <string>
#include <string_view>

// PC bytes (ASCII, Ä Ö Ü ß at 80h-83h, Cyrillic at C0h-FFh) as a string to show.
QString PcToQString(std::string_view pc);

// A shown string back to PC bytes; a character the PC set lacks becomes '?'.
std::string QStringToPc(const QString& text);
