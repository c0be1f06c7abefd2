// The system's keyboard layouts as the program sees them: by their eight-digit layout names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Layout names are the eight hexadecimal digits the handheld's users know from their PCs
// ("00000419" Russian, "00000407" German ...). A layout is activated for the program only.
class KeyboardLayouts {
public:
    using Handle = std::uintptr_t;

    virtual ~KeyboardLayouts() = default;

    virtual std::string ActiveLayoutName() const = 0;
    virtual Handle ActiveLayout() const = 0;
    virtual std::vector<Handle> InstalledLayouts() const = 0;
    virtual void Activate(Handle layout) = 0;

    // The symbol the key of this native key code types without modifiers on the active layout,
    // as the system codes symbols (an X keysym); 0 where the system does not tell.
    virtual unsigned BaseLevelSymbol(unsigned /*nativeKeyCode*/) const { return 0; }
};

// Activates the first installed layout of a keyboard side (0 Latin, 1 Cyrillic): a layout whose
// name ends in "409" for the Latin side, in "419" or "407" for the Cyrillic side. Each candidate
// is activated in turn because only the active layout tells its name; when none fits, the layout
// that was active before is active again.
void ActivateInstalledLayout(KeyboardLayouts& layouts, int side);
