// The keyboard translation mode: on or off, which layout is emulated, and when it stands aside.
#include "keyboard/KeyboardModes.h"

#include <array>
#include <span>

namespace {

struct NativeLayouts {
    int kind;
    int variant;
    std::array<std::string_view, 2> names; // empty names match nothing
};

// The system layouts that already type what a mode emulates. The international emulation has
// none: its dead keys and right-Alt layer are its own, and neither layout that comes close to it
// puts every character where it does, so standing aside would change the keys under the user's
// fingers. It always translates.
constexpr std::array<NativeLayouts, 4> kNativeLayouts{{
    {KBD_KIND_LATIN, 0, {"00000409", "00010409"}},
    {KBD_KIND_RUSSIAN, 0, {"00000419", {}}},
    {KBD_KIND_RUSSIAN, 1, {"00010419", {}}},
    {KBD_KIND_GERMAN, -1, {"00000407", {}}}, // the German emulation ignores the variant
}};

} // namespace

void KeyboardModeState::Apply(KbdModeCommand command) {
    switch (command) {
    case KbdModeCommand::Off:
        m_bKbdTranslate = 0;
        return;
    case KbdModeCommand::Latin:
        *this = {1, KBD_KIND_LATIN, 0};
        return;
    case KbdModeCommand::Russian:
        *this = {1, KBD_KIND_RUSSIAN, 0};
        return;
    case KbdModeCommand::RussianTypewriter:
        *this = {1, KBD_KIND_RUSSIAN, 1};
        return;
    case KbdModeCommand::German:
        m_bKbdTranslate = 1;
        m_nKbdKind = KBD_KIND_GERMAN;
        return;
    case KbdModeCommand::International:
        *this = {1, KBD_KIND_LATIN, 1};
        return;
    }
}

bool KeyboardModeState::StandsAsideFor(std::string_view activeLayoutName) const {
    if (activeLayoutName.size() != 8)
        return false;
    for (const auto& native : kNativeLayouts) {
        if (native.kind != m_nKbdKind || (native.variant != -1 && native.variant != m_nKbdVariant))
            continue;
        for (auto name : native.names)
            if (!name.empty() && name == activeLayoutName)
                return true;
    }
    return false;
}

int ModeCommandIndex(unsigned message, unsigned firstModeMessage) {
    if (message < firstModeMessage || message >= firstModeMessage + kKbdModeCommandCount)
        return -1;
    return static_cast<int>(message - firstModeMessage);
}

std::optional<KbdModeCommand> LayoutOptionCommand(int side, int option) {
    static constexpr KbdModeCommand kLatin[] = {KbdModeCommand::Off, KbdModeCommand::German,
                                                KbdModeCommand::International};
    static constexpr KbdModeCommand kCyrillic[] = {KbdModeCommand::Off, KbdModeCommand::Russian,
                                                   KbdModeCommand::RussianTypewriter};
    if (option < 0 || option > 2)
        return std::nullopt;
    return side == 0 ? kLatin[option] : kCyrillic[option];
}
