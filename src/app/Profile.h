// The program's own profile: the framework-style profile functions, the
// settings of section "interface" and the text lookup.
#pragma once

#include <string>
#include <string_view>

// The profile functions work on the program's profile file (ProfilePath()),
// looked up anew on every call.
std::string GetProfileString(std::string_view section, std::string_view key, std::string_view def);
int GetProfileInt(std::string_view section, std::string_view key, int def);
bool WriteProfileInt(std::string_view section, std::string_view key, int value);

// The settings of section "interface", each with its default.
inline constexpr char kInterfaceSection[] = "interface";

struct IntSetting {
    const char* key;
    int defaultValue;
};

struct StringSetting {
    const char* key;
    const char* defaultValue;
};

inline constexpr IntSetting kSettingComPort{"com", 0};       // port index 0-3, COM1-COM4
inline constexpr IntSetting kSettingLanguage{"language", 0}; // 0 "germanbased", 1 "russian"
inline constexpr IntSetting kSettingLayoutLatin{"layouteng", 0};
inline constexpr IntSetting kSettingLayoutCyrillic{"layoutrus", 0};
inline constexpr IntSetting kSettingKeyboardState{"kbdstate", 0}; // 0 logo, else 10 x face + standard
inline constexpr StringSetting kSettingHandheldTable{"OVGeRuTable", "!"};
inline constexpr StringSetting kSettingPcTable{"PCGeRuTable", "!"};

int ReadSetting(const IntSetting& setting);
bool WriteSetting(const IntSetting& setting, int value);
std::string ReadSetting(const StringSetting& setting);

// Texts: every text the user reads is looked up in the section of the interface
// language under a decimal key; a missing one reads "error".
inline constexpr char kMissingText[] = "error";
inline constexpr char kGermanSection[] = "germanbased";
inline constexpr char kRussianSection[] = "russian";

std::string LookupText(std::string_view languageSection, std::string_view key);

// "germanbased" for 0, "russian" for 1, nothing for any other value.
const char* LanguageSectionName(int language);
