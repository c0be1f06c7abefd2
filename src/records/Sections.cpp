// The data sections of the handheld and the files the PC keeps them in.
#include "records/Sections.h"

#include "app/ProgramPaths.h"

#include <string>

bool IsRecordSection(int section) { return section >= kSectionTelephone && section <= kSectionRussianGerman; }

char SectionLetter(int section) {
    static constexpr char kLetters[] = {'T', 'S', 'E', 'R'};
    return IsRecordSection(section) ? kLetters[section - 1] : '\0';
}

int SectionFieldCount(int section) {
    if (!IsRecordSection(section))
        return 0;
    return section <= kSectionSchedule ? 3 : 2;
}

std::filesystem::path GetSectionFileName(int section, const std::filesystem::path& dir) {
    return (dir.empty() ? SectionDirectory() : dir) / ("840." + std::to_string(section - 1));
}

int SectionOfLetter(char letter) {
    for (int section = kSectionTelephone; section <= kSectionRussianGerman; ++section)
        if (SectionLetter(section) == letter)
            return section;
    return 0;
}

std::string FieldCaptionKey(int section, int field) {
    const int number = (section + 9) * 10 + field;
    return std::to_string(number) + (number == 130 ? "geru" : "") + "ge";
}
