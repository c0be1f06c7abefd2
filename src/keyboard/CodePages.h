// The single-byte character sets of the program and their Unicode values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Windows code page 1251 (Cyrillic) and 1252 (Western). Positions the code page
// leaves undefined map to the Unicode code point of the same number, so every
// byte has a character and back.
char32_t Cp1251ToUnicode(std::uint8_t byte);
char32_t Cp1252ToUnicode(std::uint8_t byte);
std::optional<std::uint8_t> UnicodeToCp1251(char32_t c);
std::optional<std::uint8_t> UnicodeToCp1252(char32_t c);

// The PC character set in which the program holds and shows text: ASCII, the
// German capitals Ä Ö Ü ß at 80h-83h, everything else as code page 1251
// (Cyrillic at C0h-FFh). This is the one map between the program's bytes and
// Unicode.
char32_t PcByteToUnicode(std::uint8_t byte);
std::optional<std::uint8_t> UnicodeToPcByte(char32_t c);

// UTF-8 <-> PC bytes, for the command line and the profile's source text.
// A character the PC set lacks becomes '?'.
std::string PcToUtf8(std::string_view pc);
std::string Utf8ToPc(std::string_view utf8);

// Encodes one code point as UTF-8; decodes the next one (invalid bytes read as
// U+FFFD, one byte at a time).
void AppendUtf8(std::string& out, char32_t c);
char32_t NextUtf8(std::string_view text, std::size_t& pos);
