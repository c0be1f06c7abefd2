// The one place where the program's PC text bytes become Qt strings and back.
#include "controls/PcString.h"

#include "keyboard/CodePages.h"

QString PcToQString(std::string_view pc) {
    QString text;
    text.reserve(static_cast<qsizetype>(pc.size()));
    for (char c : pc)
        text.append(QChar(static_cast<char16_t>(PcByteToUnicode(static_cast<std::uint8_t>(c)))));
    return text;
}

std::string QStringToPc(const QString& text) {
    std::string pc;
    pc.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        pc += static_cast<char>(UnicodeToPcByte(c.unicode()).value_or('?'));
    return pc;
}
