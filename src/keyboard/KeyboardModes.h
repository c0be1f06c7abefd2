// The keyboard translation mode: on or off, which layout is emulated, and when it stands aside.
#pragma once

#include <optional>
#include <string_view>

// The six mode commands, in the order of their window messages (WM_KBD_OFF and up), so that
// the message number less WM_KBD_OFF is the command.
enum class KbdModeCommand {
    Off,
    Latin,
    Russian,
    RussianTypewriter,
    German,
    International,
};
inline constexpr int kKbdModeCommandCount = 6;

inline constexpr int KBD_KIND_LATIN = 1;
inline constexpr int KBD_KIND_RUSSIAN = 3;
inline constexpr int KBD_KIND_GERMAN = 4;

// The translation state the application keeps. It starts as the Latin (US) translation, which is
// in force from start-up until the first mode command arrives.
struct KeyboardModeState {
    int m_bKbdTranslate = 1;
    int m_nKbdKind = KBD_KIND_LATIN;
    int m_nKbdVariant = 0; // Russian: 1 = typewriter; Latin: 1 = international

    void Apply(KbdModeCommand command);

    // True while the active system layout (an eight-digit layout name) already is the layout
    // this mode emulates: keys then go through untranslated. Says nothing about whether
    // translation is on.
    bool StandsAsideFor(std::string_view activeLayoutName) const;

    bool operator==(const KeyboardModeState&) const = default;
};

// What a keyboard side's layout option (the Settings page's list index) asks
// for: 0 the system's installed layout (translation off), 1 and 2 an emulation
// (Latin side: German, international; Cyrillic side: Russian, Russian
// typewriter); nothing for any other value.
std::optional<KbdModeCommand> LayoutOptionCommand(int side, int option);

// The command of a window message number, when the number lies in the mode range that starts
// at firstModeMessage; -1 otherwise.
int ModeCommandIndex(unsigned message, unsigned firstModeMessage);
