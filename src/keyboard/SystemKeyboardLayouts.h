// The keyboard layouts of the system the program runs on.
#pragma once

#include "keyboard/KeyboardLayouts.h"

// On Windows the thread's own keyboard layouts. Elsewhere the system offers no list of layouts
// to switch between: the one installed layout is the keyboard of the input locale the system
// reports, named as that language's standard layout, and activating it changes nothing.
class SystemKeyboardLayouts final : public KeyboardLayouts {
public:
    SystemKeyboardLayouts() = default;

    std::string ActiveLayoutName() const override;
    Handle ActiveLayout() const override;
    std::vector<Handle> InstalledLayouts() const override;
    void Activate(Handle layout) override;
};
