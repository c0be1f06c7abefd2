// The places of the keys on a US keyboard, by which keys are named whatever the system's layout.
#pragma once

#include <optional>

// The virtual-key code of the key at a scan code on a US keyboard: letters, digits, punctuation
// and the space bar; 0 for every other scan code.
int UsVirtualKeyOfScanCode(int scanCode);

struct UsKeyPosition {
    int scanCode;
    bool shift; // the character needs Shift on a US keyboard
};

// Where a printable ASCII character is typed on a US keyboard; nothing for other characters.
std::optional<UsKeyPosition> UsKeyOfCharacter(char32_t c);
