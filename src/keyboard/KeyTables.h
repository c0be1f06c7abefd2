// The fixed key tables of the keyboard emulations: what each key types in each layout and layer.
#pragma once

#include <array>
#include <cstdint>

// Characters are single bytes: the Russian columns in code page 1251, the Latin ones in code page
// 1252. A 0 means that the key types nothing in that layer.

// Letter keys are found by their virtual-key code (the capital letter).
enum LetterColumn {
    kLetterRussian,
    kLetterRussianUpper,
    kLetterTypewriter,
    kLetterTypewriterUpper,
    kLetterInternationalAltGr,
    kLetterInternationalAltGrUpper,
    kLetterColumnCount
};

struct LetterKey {
    char letter;
    std::array<std::uint8_t, kLetterColumnCount> columns;
};

// The 26 letter keys, in the order "OEJFUTHIBYRDCKNMVLASWXZQPG".
extern const std::array<LetterKey, 26> kLetterKeys;

// Punctuation keys are found by their scan code, which names the key's place on the keyboard
// whatever layout the system has active.
enum PunctuationColumn {
    kPunctUs,
    kPunctUsUpper,
    kPunctGerman,
    kPunctGermanUpper,
    kPunctGermanAltGr,
    kPunctInternationalAltGr,
    kPunctInternationalAltGrUpper,
    kPunctRussian,
    kPunctRussianUpper,
    kPunctTypewriter,
    kPunctTypewriterUpper,
    kPunctColumnCount
};

struct PunctuationKey {
    std::uint8_t scanCode;
    std::uint8_t usVirtualKey; // the key's virtual-key code on a US keyboard
    std::array<std::uint8_t, kPunctColumnCount> columns;
};

// The 22 punctuation keys: the grave key, the digit row, and the punctuation of the letter rows.
extern const std::array<PunctuationKey, 22> kPunctuationKeys;

// The scan code of each letter on a US keyboard, 'A' to 'Z'.
extern const std::array<std::uint8_t, 26> kUsLetterScanCodes;
inline constexpr int kSpaceScanCode = 0x39;

// Index into kLetterKeys of a virtual key, or -1 when it is no letter.
int LetterKeyIndex(int virtualKey);
// Index into kPunctuationKeys of a scan code, or -1.
int PunctuationKeyIndex(int scanCode);
// Index into kPunctuationKeys of a US virtual key ('1', VK_OEM_MINUS ...), or -1.
int PunctuationKeyIndexOfVirtualKey(int virtualKey);

// The pending dead key of the German and international emulations.
enum DeadKey { kNoDeadKey, kDeadGrave, kDeadAcute, kDeadCircumflex, kDeadTilde, kDeadDiaeresis };

// The vowel with the accent, lower case or capital; 0 for a combination that does not exist
// (the tilde only sits on A and O).
std::uint8_t AccentedVowel(int virtualKey, int deadKey, bool upper);

// The German right-Alt letters: Q, E and M; 0 for every other key.
std::uint8_t GermanAltGrLetter(int virtualKey);

// What a dead key types by itself when the next key does not combine with it.
std::uint8_t GermanDeadKeyCharacter(int deadKey);
std::uint8_t InternationalDeadKeyCharacter(int deadKey);
