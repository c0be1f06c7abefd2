// The texts of the windows, in the interface language chosen on the Settings page.
#pragma once

#include <string>
#include <string_view>

// The text of a key in the current language section (PC character set); the
// literal "error" when the profile lacks it or no language is set yet.
std::string LoadText(std::string_view key);
