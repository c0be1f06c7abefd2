// The system's keyboard layouts as the program sees them: by their eight-digit layout names.
#include "keyboard/KeyboardLayouts.h"

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
