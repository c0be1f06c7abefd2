// The texts of the windows, in the interface language chosen on the Settings page.
#include "app/Texts.h"

#include "app/CSettingsPage.h"
#include "app/Profile.h"

std::string LoadText(std::string_view key) {
    std::string section = g_pSettingsPage ? g_pSettingsPage->GetLanguageSection() : std::string();
    return LookupText(section, key);
}
