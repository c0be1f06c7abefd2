// Fuzz target: the section file reader must take any bytes without a fault,
// and what it reads must save and read back stably.
#include "records/LocaleSource.h"
#include "records/SectionFormat.h"
#include "records/Sections.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// A table like the delivered one: the handheld's Cyrillic capitals at
// 80h-9Fh, Ё F0h and Ä Ö Ü ß F2h-F5h, each byte once on each side.
std::string HandheldTable() {
    std::string table;
    for (int c = 0x80; c <= 0x9F; ++c)
        table += static_cast<char>(c);
    return table + "\xF0\xF2\xF3\xF4\xF5";
}

std::string PcTable() {
    std::string table;
    for (int c = 0xC0; c <= 0xDF; ++c)
        table += static_cast<char>(c);
    return table + "\xA8\x80\x81\x82\x83";
}

const FixedLocaleSource kLocales[] = {FixedLocaleSource("0", "0"), FixedLocaleSource("0", "1"),
                                      FixedLocaleSource("1", "0"), FixedLocaleSource("1", "1"),
                                      FixedLocaleSource("2", "0"), FixedLocaleSource("2", "1")};

} // namespace

// The first byte picks the section and the locale; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int section = kSectionTelephone + data[0] % 4;
    InstallLocaleSource(&kLocales[data[0] / 4 % 6]);
    const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);

    SectionRecord converter(HandheldTable(), PcTable());
    const SectionReadResult read = ReadSectionBytes(file, section, converter);
    for (const SectionRecord& record : read.records)
        if (record.m_lstFields.size() < static_cast<std::size_t>(SectionFieldCount(section)))
            std::abort();

    // The first save settles whatever the file held; from then on a load and
    // a save change nothing.
    const auto first = WriteSectionBytes(read.records, section, converter);
    if (!first)
        return 0;
    const SectionReadResult again = ReadSectionBytes(*first, section, converter);
    const auto second = WriteSectionBytes(again.records, section, converter);
    if (again.damaged || !second || *second != *first)
        std::abort();
    return 0;
}
