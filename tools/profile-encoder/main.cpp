// Turns the readable UTF-8 source of the delivered profile into the profile the
// program reads: PC character set bytes, CR LF line ends.
#include "keyboard/CodePages.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Encodes one line; false (with a message) when it holds a character that the
// PC set lacks or a broken escape, so that a typo never ships as '?'.
bool EncodeLine(const std::string& line, int number, std::string& out) {
    const bool comment = !line.empty() && line[0] == ';';
    for (std::size_t pos = 0; pos < line.size();) {
        if (!comment && line[pos] == '\\' && pos + 1 < line.size() && line[pos + 1] == 'x') {
            int high = pos + 2 < line.size() ? HexDigit(line[pos + 2]) : -1;
            int low = pos + 3 < line.size() ? HexDigit(line[pos + 3]) : -1;
            if (high < 0 || low < 0) {
                std::cerr << "line " << number << ": broken \\x escape\n";
                return false;
            }
            out += static_cast<char>(high * 16 + low);
            pos += 4;
            continue;
        }
        char32_t c = NextUtf8(line, pos);
        auto byte = UnicodeToPcByte(c);
        if (!byte || c == 0xFFFD) {
            std::cerr << "line " << number << ": character U+" << std::hex << static_cast<unsigned>(c)
                      << " is not in the PC character set\n";
            return false;
        }
        out += static_cast<char>(*byte);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: profile-encoder SOURCE.ini OUTPUT.ini\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    std::string encoded;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!EncodeLine(line, number, encoded))
            return 1;
        encoded += "\r\n";
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << encoded;
    return out ? 0 : 1;
}
