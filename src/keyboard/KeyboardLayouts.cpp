// The system's keyboard layouts as the program sees them: by their eight-digit layout names.
#include "keyboard/KeyboardLayouts.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace {

bool EndsWith(const std::string& name, std::string_view family) {
    return name.size() >= family.size() && std::string_view(name).substr(name.size() - family.size()) == family;
}

bool IsOfSide(const std::string& name, int side) {
    if (side == 0)
        return EndsWith(name, "409");
    return EndsWith(name, "419") || EndsWith(name, "407");
}

struct LocaleLanguageId {
    std::string_view locale; // language, or language_TERRITORY when the territory matters
    unsigned languageId;
};

// The system language ids of the keyboards a user of the handheld is likely to have.
constexpr std::array<LocaleLanguageId, 24> kLanguageIds{{
    {"en", 0x0409},    {"en_GB", 0x0809}, {"en_IE", 0x1809}, {"en_CA", 0x1009}, {"de", 0x0407},    {"de_CH", 0x0807},
    {"de_AT", 0x0C07}, {"de_LU", 0x1007}, {"de_LI", 0x1407}, {"ru", 0x0419},    {"uk", 0x0422},    {"be", 0x0423},
    {"kk", 0x043F},    {"bg", 0x0402},    {"fr", 0x040C},    {"fr_CH", 0x100C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C},
    {"it", 0x0410},    {"es", 0x040A},    {"pt", 0x0816},    {"pt_BR", 0x0416}, {"pl", 0x0415},    {"nl", 0x0413},
}};

} // namespace

void ActivateInstalledLayout(KeyboardLayouts& layouts, int side) {
    const KeyboardLayouts::Handle before = layouts.ActiveLayout();
    for (KeyboardLayouts::Handle layout : layouts.InstalledLayouts()) {
        layouts.Activate(layout);
        if (IsOfSide(layouts.ActiveLayoutName(), side))
            return;
    }
    layouts.Activate(before);
}

std::string LayoutNameForLocale(std::string_view localeName) {
    // "de_CH.UTF-8" and "de-CH" both name the Swiss German keyboard.
    std::string name(localeName.substr(0, localeName.find_first_of(".@")));
    for (char& c : name)
        if (c == '-')
            c = '_';
    std::string_view language = std::string_view(name).substr(0, name.find('_'));
    unsigned id = 0x0409;
    bool exact = false;
    for (const auto& entry : kLanguageIds) {
        if (entry.locale == name) {
            id = entry.languageId;
            exact = true;
        } else if (!exact && entry.locale == language) {
            id = entry.languageId;
        }
    }
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "%08X", id);
    return buffer;
}
