// The program's own profile: profile functions, settings and text lookup.
#include "app/Profile.h"

#include "app/ProfileFile.h"
#include "app/ProgramPaths.h"
#include "app/TextKeys.h"

#include <cassert>

std::string GetProfileString(std::string_view section, std::string_view key, std::string_view def) {
    return ProfileFile(ProfilePath()).GetString(section, key, def);
}

int GetProfileInt(std::string_view section, std::string_view key, int def) {
    return ProfileFile(ProfilePath()).GetInt(section, key, def);
}

bool WriteProfileInt(std::string_view section, std::string_view key, int value) {
    return ProfileFile(ProfilePath()).WriteInt(section, key, value);
}

int ReadSetting(const IntSetting& setting) {
    return GetProfileInt(kInterfaceSection, setting.key, setting.defaultValue);
}

bool WriteSetting(const IntSetting& setting, int value) {
    return WriteProfileInt(kInterfaceSection, setting.key, value);
}

std::string ReadSetting(const StringSetting& setting) {
    return GetProfileString(kInterfaceSection, setting.key, setting.defaultValue);
}

std::string LookupText(std::string_view languageSection, std::string_view key) {
    // A key missing from the table would be missing from the delivered profile
    // too and show "error" to the user: catch it in the debug build.
    assert(IsTextKey(key));
    return GetProfileString(languageSection, key, kMissingText);
}

const char* LanguageSectionName(int language) {
    switch (language) {
    case 0:
        return kGermanSection;
    case 1:
        return kRussianSection;
    default:
        return nullptr;
    }
}
