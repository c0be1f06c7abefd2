// The keyboard command table 214: Alt with a letter runs a program command.
#pragma once

#include <optional>
#include <span>

struct Accelerator {
    int virtualKey; // the letter's capital, as the Windows virtual-key code
    int command;
};

// Every entry is Alt + key. Some commands have no handler and do nothing.
std::span<const Accelerator> AcceleratorTable();

// The command of Alt + virtualKey, if the table has one.
std::optional<int> FindAccelerator(int virtualKey);

inline constexpr int ID_KEYBOARD_SIDE = 32776;     // Alt+K
inline constexpr int ID_ONSCREEN_KEYBOARD = 32777; // Alt+L
inline constexpr int ID_EXIT = 32778;              // Alt+X
inline constexpr int ID_HELP_COMMAND = 32779;      // Alt+H
inline constexpr int ID_ABOUT = 32780;             // Alt+A
