// The keyboard command table 214: Alt with a letter runs a program command.
#include "res/Accelerators.h"

#include <array>

namespace {

constexpr std::array kTable{
    Accelerator{'I', 32771},
    Accelerator{'S', 32772},
    Accelerator{'D', 32773},
    Accelerator{'U', 32774},
    Accelerator{'C', 32775},
    Accelerator{'K', ID_KEYBOARD_SIDE},
    Accelerator{'L', ID_ONSCREEN_KEYBOARD},
    Accelerator{'X', ID_EXIT},
    Accelerator{'H', ID_HELP_COMMAND},
    Accelerator{'A', ID_ABOUT},
};

} // namespace

std::span<const Accelerator> AcceleratorTable() { return kTable; }

std::optional<int> FindAccelerator(int virtualKey) {
    for (const Accelerator& a : kTable)
        if (a.virtualKey == virtualKey)
            return a.command;
    return std::nullopt;
}
