// The fixed key tables of the keyboard emulations: what each key types in each layout and layer.
#include "keyboard/KeyTables.h"

#include "keyboard/VirtualKeys.h"

#include <algorithm>

// clang-format off
const std::array<LetterKey, 26> kLetterKeys{{
    //       Russian      typewriter   intl. right Alt
    {'O', {0xF9, 0xD9, 0xEE, 0xCE, 0xF3, 0xD3}}, // щ Щ о О ó Ó
    {'E', {0xF3, 0xD3, 0xE5, 0xC5, 0xE9, 0xC9}}, // у У е Е é É
    {'J', {0xEE, 0xCE, 0xE9, 0xC9, 0x00, 0x00}}, // о О й Й
    {'F', {0xE0, 0xC0, 0xF4, 0xD4, 0x00, 0x00}}, // а А ф Ф
    {'U', {0xE3, 0xC3, 0xF3, 0xD3, 0xFA, 0xDA}}, // г Г у У ú Ú
    {'T', {0xE5, 0xC5, 0xF2, 0xD2, 0xFE, 0xDE}}, // е Е т Т þ Þ
    {'H', {0xF0, 0xD0, 0xF7, 0xD7, 0x00, 0x00}}, // р Р ч Ч
    {'I', {0xF8, 0xD8, 0xE8, 0xC8, 0xED, 0xCD}}, // ш Ш и И í Í
    {'B', {0xE8, 0xC8, 0xE1, 0xC1, 0x00, 0x00}}, // и И б Б
    {'Y', {0xED, 0xCD, 0xFB, 0xDB, 0xFC, 0xDC}}, // н Н ы Ы ü Ü
    {'R', {0xEA, 0xCA, 0xF0, 0xD0, 0xAE, 0x00}}, // к К р Р ®
    {'D', {0xE2, 0xC2, 0xE4, 0xC4, 0xF0, 0xD0}}, // в В д Д ð Ð
    {'C', {0xF1, 0xD1, 0xF6, 0xD6, 0xA9, 0xA2}}, // с С ц Ц © ¢
    {'K', {0xEB, 0xCB, 0xEA, 0xCA, 0x00, 0x00}}, // л Л к К
    {'N', {0xF2, 0xD2, 0xED, 0xCD, 0xF1, 0xD1}}, // т Т н Н ñ Ñ
    {'M', {0xFC, 0xDC, 0xEC, 0xCC, 0xB5, 0x00}}, // ь Ь м М µ
    {'V', {0xEC, 0xCC, 0xE2, 0xC2, 0x00, 0x00}}, // м М в В
    {'L', {0xE4, 0xC4, 0xEB, 0xCB, 0xF8, 0xD8}}, // д Д л Л ø Ø
    {'A', {0xF4, 0xD4, 0xE0, 0xC0, 0xE1, 0xC1}}, // ф Ф а А á Á
    {'S', {0xFB, 0xDB, 0xF1, 0xD1, 0xDF, 0xA7}}, // ы Ы с С ß §
    {'W', {0xF6, 0xD6, 0xF8, 0xD8, 0xE5, 0xC5}}, // ц Ц ш Ш å Å
    {'X', {0xF7, 0xD7, 0xF5, 0xD5, 0x00, 0x00}}, // ч Ч х Х
    {'Z', {0xFF, 0xDF, 0xE7, 0xC7, 0xE6, 0xC6}}, // я Я з З æ Æ
    {'Q', {0xE9, 0xC9, 0xFF, 0xDF, 0xE4, 0xC4}}, // й Й я Я ä Ä
    {'P', {0xE7, 0xC7, 0xEF, 0xCF, 0xF6, 0xD6}}, // з З п П ö Ö
    {'G', {0xEF, 0xCF, 0xE3, 0xC3, 0x00, 0x00}}, // п П г Г
}};

const std::array<PunctuationKey, 22> kPunctuationKeys{{
    //                 US          German            intl. right Alt  Russian      typewriter
    {0x29, VK_OEM_3,  {'`',  '~',  '^',  0xB0, 0x00, 0x00, 0x00, '`',  '~',  '`',  '~'}},  // ° ¨
    {0x02, '1',       {'1',  '!',  '1',  '!',  0x00, 0xA1, 0xB9, '1',  '!',  '1',  0xB9}}, // ¡ ¹ / №
    {0x03, '2',       {'2',  '@',  '2',  '"',  0xB2, 0xB2, 0x00, '2',  '"',  '2',  '!'}},  // ² ²
    {0x04, '3',       {'3',  '#',  '3',  0xA7, 0xB3, 0xB3, 0x00, '3',  0xB9, '3',  '/'}},  // § ³ ³ / №
    {0x05, '4',       {'4',  '$',  '4',  '$',  0x00, 0xA4, 0xA3, '4',  ';',  '4',  '"'}},  // ¤ £
    {0x06, '5',       {'5',  '%',  '5',  '%',  0x00, 0x80, 0x00, '5',  '%',  '5',  ':'}},  // €
    {0x07, '6',       {'6',  '^',  '6',  '&',  0x00, 0xBC, 0x00, '6',  ':',  '6',  0xAB}}, // ¼ / «
    {0x08, '7',       {'7',  '&',  '7',  '/',  '{',  0xBD, 0x00, '7',  '?',  '7',  0xBB}}, // ½ / »
    {0x09, '8',       {'8',  '*',  '8',  '(',  '[',  0xBE, 0x00, '8',  '*',  '8',  '?'}},  // ¾
    {0x0A, '9',       {'9',  '(',  '9',  ')',  ']',  0x91, 0x00, '9',  '(',  '9',  '('}},  // ‘
    {0x0B, '0',       {'0',  ')',  '0',  '=',  '}',  0x92, 0x00, '0',  ')',  '0',  ')'}},  // ’
    {0x0C, VK_OEM_MINUS,  {'-',  '_',  0xDF, '?',  '\\', 0xA5, 0x00, '-',  '_',  '-',  '_'}},  // ß ¥
    {0x0D, VK_OEM_PLUS,   {'=',  '+',  0x92, 0x91, 0x00, 0xD7, 0xF7, '=',  '+',  0xFA, 0xDA}}, // ’ ‘ × ÷ / ъ Ъ
    {0x1A, VK_OEM_4,      {'[',  '{',  0xFC, 0xDC, 0x00, 0xAB, 0x00, 0xF5, 0xD5, 0xFE, 0xDE}}, // ü Ü « / х Х ю Ю
    {0x1B, VK_OEM_6,      {']',  '}',  '+',  '*',  0x00, 0xBB, 0x00, 0xFA, 0xDA, 0xF9, 0xD9}}, // » / ъ Ъ щ Щ
    {0x2B, VK_OEM_5,      {'\\', '|',  '#',  '\'', '~',  0xAC, 0xA6, '\\', '/',  0xFD, 0xDD}}, // ¬ ¦ / э Э
    {0x27, VK_OEM_1,      {';',  ':',  0xF6, 0xD6, 0x00, 0xB6, 0xBA, 0xE6, 0xC6, 0xFC, 0xDC}}, // ö Ö ¶ º / ж Ж ь Ь
    {0x28, VK_OEM_7,      {'\'', '"',  0xE4, 0xC4, 0x00, 0xB4, 0xA8, 0xFD, 0xDD, 0xE6, 0xC6}}, // ä Ä ´ ¨ / э Э ж Ж
    {0x33, VK_OEM_COMMA,  {',',  '<',  ',',  ';',  0x00, 0xE7, 0xC7, 0xE1, 0xC1, ';',  '\''}}, // ç Ç / б Б
    {0x34, VK_OEM_PERIOD, {'.',  '>',  '.',  ':',  0x00, 0x00, 0x00, 0xFE, 0xDE, '.',  ','}},  // ю Ю
    {0x35, VK_OEM_2,      {'/',  '?',  '-',  '_',  0x00, 0xBF, 0x00, '.',  ',',  '=',  '%'}},  // ¿
    {0x56, VK_OEM_102,    {'\\', '|',  '<',  '>',  '|',  0x00, 0x00, '\\', '|',  '\\', '|'}},
}};

const std::array<std::uint8_t, 26> kUsLetterScanCodes{
    0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32, // A-M
    0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C, // N-Z
};
// clang-format on

namespace {

// The capital letters with the grave accent, on which the other accents are counted.
struct AccentBase {
    int vowel;
    std::uint8_t graveCapital;
};
constexpr std::array<AccentBase, 5> kAccentBases{{{'U', 0xD9}, {'I', 0xCC}, {'O', 0xD2}, {'E', 0xC8}, {'A', 0xC0}}};

} // namespace

int LetterKeyIndex(int virtualKey) {
    auto it = std::find_if(kLetterKeys.begin(), kLetterKeys.end(),
                           [virtualKey](const LetterKey& key) { return key.letter == virtualKey; });
    return it == kLetterKeys.end() ? -1 : static_cast<int>(it - kLetterKeys.begin());
}

int PunctuationKeyIndex(int scanCode) {
    auto it = std::find_if(kPunctuationKeys.begin(), kPunctuationKeys.end(),
                           [scanCode](const PunctuationKey& key) { return key.scanCode == scanCode; });
    return it == kPunctuationKeys.end() ? -1 : static_cast<int>(it - kPunctuationKeys.begin());
}

int PunctuationKeyIndexOfVirtualKey(int virtualKey) {
    auto it = std::find_if(kPunctuationKeys.begin(), kPunctuationKeys.end(),
                           [virtualKey](const PunctuationKey& key) { return key.usVirtualKey == virtualKey; });
    return it == kPunctuationKeys.end() ? -1 : static_cast<int>(it - kPunctuationKeys.begin());
}

std::uint8_t AccentedVowel(int virtualKey, int deadKey, bool upper) {
    auto it = std::find_if(kAccentBases.begin(), kAccentBases.end(),
                           [virtualKey](const AccentBase& base) { return base.vowel == virtualKey; });
    if (it == kAccentBases.end())
        return 0;
    const bool aOrO = virtualKey == 'A' || virtualKey == 'O';
    int offset = 0;
    switch (deadKey) {
    case kDeadGrave:
        offset = 32;
        break;
    case kDeadAcute:
        offset = 33;
        break;
    case kDeadCircumflex:
        offset = 34;
        break;
    case kDeadTilde:
        if (!aOrO)
            return 0;
        offset = 35;
        break;
    case kDeadDiaeresis:
        // Code page 1252 puts the diaeresis of A and O one place further than that of E, I, U.
        offset = aOrO ? 36 : 35;
        break;
    default:
        return 0;
    }
    const int lower = it->graveCapital + offset;
    return static_cast<std::uint8_t>(upper ? lower - 32 : lower);
}

std::uint8_t GermanAltGrLetter(int virtualKey) {
    switch (virtualKey) {
    case 'Q':
        return '@';
    case 'E':
        return 0x80; // €
    case 'M':
        return 0xB5; // µ
    default:
        return 0;
    }
}

std::uint8_t GermanDeadKeyCharacter(int deadKey) {
    switch (deadKey) {
    case kDeadGrave:
        return 0x91; // ‘
    case kDeadAcute:
        return 0x92; // ’
    case kDeadCircumflex:
        return '^';
    default:
        return 0;
    }
}

std::uint8_t InternationalDeadKeyCharacter(int deadKey) {
    switch (deadKey) {
    case kDeadGrave:
        return '`';
    case kDeadAcute:
        return '\'';
    case kDeadCircumflex:
        return '^';
    case kDeadTilde:
        return '~';
    case kDeadDiaeresis:
        return '"';
    default:
        return 0;
    }
}
