// The keyboard layouts of the system the program runs on.
#pragma once

#include "keyboard/KeyboardLayouts.h"

// On Windows the thread's own keyboard layouts. On an X display the groups of the server's
// keyboard configuration: the active layout is the locked group, and activating a layout locks
// its group for the whole display, as the desktop's own layout switch does. Where no layout can
// be read (no X display), the active layout has no name, so that no emulation stands aside: the
// emulations read keys by their place and type the same whatever the system's layout.
class SystemKeyboardLayouts final : public KeyboardLayouts {
public:
    SystemKeyboardLayouts() = default;

    std::string ActiveLayoutName() const override;
    Handle ActiveLayout() const override;
    std::vector<Handle> InstalledLayouts() const override;
    void Activate(Handle layout) override;
    unsigned BaseLevelSymbol(unsigned nativeKeyCode) const override;
};
