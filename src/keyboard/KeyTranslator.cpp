// The translation of key presses into the characters of the emulated keyboard layouts.
#include "keyboard/KeyTranslator.h"

#include "keyboard/KeyTables.h"
#include "keyboard/VirtualKeys.h"

#include <array>
#include <utility>

namespace {

constexpr int kScanGrave = 0x29;      // left of 1: ^ on a German keyboard
constexpr int kScanEquals = 0x0D;     // left of Backspace: the German accent key
constexpr int kScanSix = 0x07;        // Shift+6 is the circumflex of a US keyboard
constexpr int kScanApostrophe = 0x28; // the international quotes
constexpr int kScanUsY = 0x15;        // the German keyboard swaps Y and Z
constexpr int kScanUsZ = 0x2C;

bool IsLetter(int virtualKey) { return virtualKey >= 'A' && virtualKey <= 'Z'; }
bool IsUpper(const KeyStroke& key) { return key.capsLock != key.shift; }
bool IsKeyDown(KeyMessage message) { return message == KeyMessage::KeyDown || message == KeyMessage::SysKeyDown; }
bool IsCharacterMessage(KeyMessage message) {
    return message == KeyMessage::Char || message == KeyMessage::DeadChar || message == KeyMessage::SysChar;
}

void SendChar(KeyTranslation& out, int code) {
    out.sent.push_back({KeyMessage::Char, static_cast<std::uint8_t>(code)});
}

std::uint8_t PunctuationCharacter(int scanCode, int column, bool upper) {
    int index = PunctuationKeyIndex(scanCode);
    return index < 0 ? 0 : kPunctuationKeys[static_cast<std::size_t>(index)].columns[column + (upper ? 1 : 0)];
}

// Command, lock, navigation and function keys: they act in their window but type nothing.
bool TypesNothing(int vk) {
    switch (vk) {
    case VK_CLEAR:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_PAUSE:
    case VK_CAPITAL:
    case VK_SNAPSHOT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_F11:
    case VK_F12:
    case VK_NUMLOCK:
    case VK_SCROLL:
        return true;
    default:
        return (vk >= VK_PRIOR && vk <= VK_DOWN) || (vk >= VK_LWIN && vk <= VK_APPS) || (vk >= VK_F1 && vk <= VK_F9);
    }
}

// The steps every emulation takes first for a key-down it takes: the key-down goes on to its
// window, and the editing, keypad and clipboard keys type what they type on every layout. True
// when they decided the key.
bool CommonSteps(const KeyStroke& key, KeyTranslation& out) {
    out.consumed = true;
    out.keyDownDelivered = true;
    const int vk = key.virtualKey;
    if (vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE) {
        SendChar(out, vk);
        return true;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        SendChar(out, '0' + vk - VK_NUMPAD0);
        return true;
    }
    static constexpr std::array<std::pair<int, char>, 5> kKeypad{
        {{VK_MULTIPLY, '*'}, {VK_ADD, '+'}, {VK_SUBTRACT, '-'}, {VK_DECIMAL, '.'}, {VK_DIVIDE, '/'}}};
    for (auto [keypadKey, character] : kKeypad)
        if (vk == keypadKey) {
            SendChar(out, character);
            return true;
        }
    if (TypesNothing(vk))
        return true;
    if (key.control && !key.alt) {
        static constexpr std::array<std::pair<int, int>, 3> kClipboard{{{'X', 24}, {'V', 22}, {'C', 3}}};
        for (auto [letter, control] : kClipboard)
            if (vk == letter) {
                SendChar(out, control);
                return true;
            }
        out.controlIgnored = true;
    }
    return false;
}

// The Latin US and Russian emulations take plain key-downs only and swallow the system's own
// characters; Alt combinations stay the system's.
bool TakesOnlyKeyDown(const KeyStroke& key, KeyTranslation& out) {
    if (key.message == KeyMessage::Char || key.message == KeyMessage::DeadChar) {
        out.consumed = true;
        return false;
    }
    return key.message == KeyMessage::KeyDown;
}

} // namespace

std::string KeyTranslation::Characters() const {
    std::string characters;
    for (const SentCharacter& c : sent)
        if (c.message == KeyMessage::Char)
            characters += static_cast<char>(c.code);
    return characters;
}

KeyTranslation KeyTranslator::Translate(const KeyboardModeState& mode, std::string_view activeLayoutName,
                                        const KeyStroke& key) {
    if (!mode.m_bKbdTranslate || mode.StandsAsideFor(activeLayoutName))
        return {};
    switch (mode.m_nKbdKind) {
    case KBD_KIND_LATIN:
        return mode.m_nKbdVariant == 1 ? TranslateInternational(key) : TranslateLatinUs(key);
    case KBD_KIND_RUSSIAN:
        return TranslateRussian(key, mode.m_nKbdVariant == 1);
    case KBD_KIND_GERMAN:
        return TranslateGerman(key);
    default:
        return {};
    }
}

KeyTranslation KeyTranslator::TranslateLatinUs(const KeyStroke& key) {
    KeyTranslation out;
    if (!TakesOnlyKeyDown(key, out) || CommonSteps(key, out))
        return out;
    const int vk = key.virtualKey;
    const bool upper = IsUpper(key);
    if (IsLetter(vk))
        SendChar(out, upper ? vk : vk + 32);
    else if (PunctuationKeyIndex(key.scanCode) >= 0)
        SendChar(out, PunctuationCharacter(key.scanCode, kPunctUs, upper));
    else
        SendChar(out, vk);
    return out;
}

KeyTranslation KeyTranslator::TranslateRussian(const KeyStroke& key, bool typewriter) {
    KeyTranslation out;
    out.codePage = 1251;
    if (!TakesOnlyKeyDown(key, out) || CommonSteps(key, out))
        return out;
    const bool upper = IsUpper(key);
    // The punctuation keys come first: on the Russian layouts some of them are letters.
    if (PunctuationKeyIndex(key.scanCode) >= 0) {
        SendChar(out, PunctuationCharacter(key.scanCode, typewriter ? kPunctTypewriter : kPunctRussian, upper));
    } else if (int letter = LetterKeyIndex(key.virtualKey); letter >= 0) {
        int column = (typewriter ? kLetterTypewriter : kLetterRussian) + (upper ? 1 : 0);
        SendChar(out, kLetterKeys[static_cast<std::size_t>(letter)].columns[column]);
    } else {
        SendChar(out, key.virtualKey);
    }
    return out;
}

bool KeyTranslator::TakeAltLayerMessage(const KeyStroke& key, KeyTranslation& out) {
    if (key.message == KeyMessage::KeyUp || key.message == KeyMessage::SysKeyUp) {
        if (key.virtualKey == VK_MENU)
            m_bAltGr = 0;
        return true;
    }
    if (IsCharacterMessage(key.message)) {
        out.consumed = true;
        return true;
    }
    if (!IsKeyDown(key.message))
        return true;
    m_nLastKey = key.virtualKey;
    if (CommonSteps(key, out))
        return true;
    if (key.virtualKey == VK_MENU) {
        // Only the right Alt key opens the right-Alt layer; the left one stays a command key.
        m_bAltGr = key.rightAlt ? 1 : 0;
        return true;
    }
    return false;
}

KeyTranslation KeyTranslator::TranslateGerman(const KeyStroke& key) {
    KeyTranslation out;
    if (TakeAltLayerMessage(key, out))
        return out;
    const int vk = key.virtualKey;
    const int scan = key.scanCode;
    const bool upper = IsUpper(key);

    if (m_nDeadKey == kNoDeadKey) {
        int dead = kNoDeadKey;
        if (key.shift && scan == kScanEquals)
            dead = kDeadGrave;
        else if (!key.shift && scan == kScanGrave)
            dead = kDeadCircumflex;
        else if (!key.shift && scan == kScanEquals)
            dead = kDeadAcute;
        if (dead != kNoDeadKey) {
            m_nDeadKey = dead;
            out.sent.push_back({KeyMessage::DeadChar, static_cast<std::uint8_t>(vk)});
            return out;
        }
    }

    const int pending = std::exchange(m_nDeadKey, kNoDeadKey);
    std::uint8_t made = 0;
    if (pending != kNoDeadKey) {
        made = AccentedVowel(vk, pending, upper);
        if (!made && vk == 'Z' && pending == kDeadAcute)
            made = key.shift ? 0xDD : 0xFD; // Ý ý: the Z key of a US keyboard is the German Y
        if (!made)
            SendChar(out, GermanDeadKeyCharacter(pending));
    }

    if (m_bAltGr) {
        if (!made && !upper) {
            made = GermanAltGrLetter(vk);
            if (!made && PunctuationKeyIndex(scan) >= 0) {
                made = PunctuationCharacter(scan, kPunctGermanAltGr, false);
                if (!made)
                    return out; // the key has no right-Alt character
            }
        }
        if (!made) {
            if (key.message == KeyMessage::SysKeyDown)
                out.sent.push_back({KeyMessage::SysChar, static_cast<std::uint8_t>(vk)});
            return out;
        }
    } else if (!made) {
        if (scan == kScanUsY)
            made = upper ? 'Z' : 'z';
        else if (scan == kScanUsZ)
            made = upper ? 'Y' : 'y';
        else if (IsLetter(vk))
            made = static_cast<std::uint8_t>(upper ? vk : vk + 32);
        else if (PunctuationKeyIndex(scan) >= 0)
            made = PunctuationCharacter(scan, kPunctGerman, upper);
        else
            made = static_cast<std::uint8_t>(vk);
    }

    // A dead key followed by the space bar types the accent alone, which has gone out already.
    if (!(pending != kNoDeadKey && vk == VK_SPACE))
        SendChar(out, made);
    return out;
}

KeyTranslation KeyTranslator::TranslateInternational(const KeyStroke& key) {
    KeyTranslation out;
    if (TakeAltLayerMessage(key, out))
        return out;
    const int vk = key.virtualKey;
    const int scan = key.scanCode;
    const bool upper = IsUpper(key);

    if (m_nDeadKey == kNoDeadKey) {
        int dead = kNoDeadKey;
        if (key.shift) {
            if (scan == kScanSix)
                dead = kDeadCircumflex;
            else if (scan == kScanApostrophe)
                dead = kDeadDiaeresis;
            else if (scan == kScanGrave)
                dead = kDeadTilde;
        } else if (scan == kScanApostrophe) {
            dead = kDeadAcute;
        } else if (scan == kScanGrave) {
            dead = kDeadGrave;
        }
        if (dead != kNoDeadKey) {
            m_nDeadKey = dead;
            out.sent.push_back({KeyMessage::DeadChar, static_cast<std::uint8_t>(m_nLastKey)});
            return out;
        }
    }

    const int pending = std::exchange(m_nDeadKey, kNoDeadKey);
    std::uint8_t made = 0;
    if (pending != kNoDeadKey) {
        bool combines = true;
        if (vk == 'A' || vk == 'E' || vk == 'I' || vk == 'O' || vk == 'U')
            made = AccentedVowel(vk, pending, upper); // none for a tilde on E, I, U: the tilde is dropped
        else if (vk == 'C' && pending == kDeadAcute)
            made = key.shift ? 0xC7 : 0xE7; // Ç ç
        else if (vk == 'Y' && pending == kDeadAcute)
            made = key.shift ? 0xDD : 0xFD; // Ý ý
        else if (vk == 'N' && pending == kDeadTilde)
            made = key.shift ? 0xD1 : 0xF1; // Ñ ñ
        else
            combines = false;
        if (!combines)
            SendChar(out, InternationalDeadKeyCharacter(pending));
    }

    if (m_bAltGr) {
        if (!made) {
            if (int letter = LetterKeyIndex(vk); letter >= 0)
                made =
                    kLetterKeys[static_cast<std::size_t>(letter)].columns[kLetterInternationalAltGr + (upper ? 1 : 0)];
            else
                made = PunctuationCharacter(scan, kPunctInternationalAltGr, upper);
            if (!made)
                return out;
        }
    } else if (!made) {
        if (IsLetter(vk))
            made = static_cast<std::uint8_t>(upper ? vk : vk + 32);
        else if (PunctuationKeyIndex(scan) >= 0)
            made = PunctuationCharacter(scan, kPunctUs, upper);
        else
            made = static_cast<std::uint8_t>(vk);
    }

    if (!(pending != kNoDeadKey && vk == VK_SPACE))
        SendChar(out, made);
    return out;
}
