// The translation of key presses into the characters of the emulated keyboard layouts.
#pragma once

#include "keyboard/KeyboardModes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The keyboard messages, as the system names them.
enum class KeyMessage { KeyDown, KeyUp, SysKeyDown, SysKeyUp, Char, DeadChar, SysChar };

// One keyboard message and the state of the keyboard at that moment.
struct KeyStroke {
    KeyMessage message = KeyMessage::KeyDown;
    int virtualKey = 0;
    int scanCode = 0;
    bool shift = false;
    bool capsLock = false; // toggled on
    bool control = false;
    bool alt = false;
    bool rightAlt = false; // the right Alt key is held
};

// A character message the translation sends to the key's window.
struct SentCharacter {
    KeyMessage message; // Char, DeadChar or SysChar
    std::uint8_t code;  // a character, or for DeadChar and SysChar a virtual-key code

    bool operator==(const SentCharacter&) const = default;
};

struct KeyTranslation {
    bool consumed = false;         // the system never sees the message
    bool keyDownDelivered = false; // the key-down itself goes on to its window, before the characters
    std::vector<SentCharacter> sent;
    int codePage = 1252;         // of the characters: 1251 for the Russian tables, 1252 for the Latin ones
    bool controlIgnored = false; // Control was held and the key went on as the same key without it

    // The typed characters (the Char messages), in order.
    std::string Characters() const;
};

// The translation state of the four emulations. The mode itself (on or off, which layout) is the
// application's; this holds what lives from one key to the next.
class KeyTranslator {
public:
    // One message of the program: translated by the mode's emulation, unless translation is off or
    // the active system layout (its eight-digit name) already is the layout the mode emulates.
    KeyTranslation Translate(const KeyboardModeState& mode, std::string_view activeLayoutName, const KeyStroke& key);

    int m_nDeadKey = 0; // a DeadKey, pending until the next key-down
    int m_bAltGr = 0;   // the right-Alt layer is active
    int m_nLastKey = 0; // the last key-down taken by the German or international emulation

private:
    KeyTranslation TranslateLatinUs(const KeyStroke& key);
    KeyTranslation TranslateRussian(const KeyStroke& key, bool typewriter);
    KeyTranslation TranslateGerman(const KeyStroke& key);
    KeyTranslation TranslateInternational(const KeyStroke& key);

    // What the Alt-layer emulations do before their own steps; true when the message is decided.
    bool TakeAltLayerMessage(const KeyStroke& key, KeyTranslation& out);
};
