// The on-screen keyboard's keys: where each key lies in the picture and what it types.
#include "keyboard/OnScreenKeys.h"

#include "keyboard/KeyTables.h"
#include "keyboard/VirtualKeys.h"

#include <array>

namespace {

using SlotRow = std::array<KeySlot, kKeySlots>;

// clang-format off
constexpr std::array<SlotRow, kKeyRows> kSlots{{
    {{{1, 18, VK_ESCAPE}, {20, 16, '1'}, {37, 16, '2'}, {54, 16, '3'}, {71, 16, '4'}, {88, 16, '5'}, {105, 16, '6'},
      {122, 16, '7'}, {139, 16, '8'}, {156, 16, '9'}, {173, 16, '0'}, {190, 15, VK_OEM_MINUS}, {206, 15, VK_OEM_PLUS},
      {222, 17, VK_BACK}}},
    {{{1, 24, VK_TAB}, {26, 17, 'Q'}, {44, 17, 'W'}, {62, 17, 'E'}, {80, 17, 'R'}, {98, 17, 'T'}, {116, 17, 'Y'},
      {134, 17, 'U'}, {152, 17, 'I'}, {170, 17, 'O'}, {188, 17, 'P'}, {206, 16, VK_OEM_4}, {223, 16, VK_OEM_6}, {}}},
    {{{1, 28, VK_CAPITAL}, {30, 17, 'A'}, {48, 17, 'S'}, {66, 17, 'D'}, {84, 17, 'F'}, {102, 17, 'G'}, {120, 17, 'H'},
      {138, 17, 'J'}, {156, 17, 'K'}, {174, 17, 'L'}, {192, 17, VK_OEM_1}, {210, 17, VK_OEM_7}, {228, 11, VK_RETURN},
      {}}},
    {{{1, 32, VK_SHIFT}, {34, 17, 'Z'}, {52, 17, 'X'}, {70, 17, 'C'}, {88, 17, 'V'}, {106, 17, 'B'}, {124, 17, 'N'},
      {142, 17, 'M'}, {160, 17, VK_OEM_COMMA}, {178, 17, VK_OEM_PERIOD}, {196, 17, VK_OEM_2}, {214, 25, VK_RETURN},
      {}, {}}},
    // The Ctrl slot is the face key, the next one (virtual key 0) the alternate-table key.
    {{{1, 21, VK_CONTROL}, {23, 23, 0}, {48, 18, VK_OEM_3}, {66, 17, VK_OEM_5}, {84, 83, VK_SPACE},
      {168, 17, VK_DOWN}, {186, 17, VK_UP}, {204, 17, VK_LEFT}, {222, 17, VK_RIGHT}, {}, {}, {}, {}, {}}},
}};

// The accented Latin table has no counterpart among the physical keyboard's layouts.
using CharacterRow = std::array<std::uint8_t, kKeySlots>;
constexpr std::array<CharacterRow, kKeyRows> kAccented{{
    {0, 0xBF, 0xA1, 0x9C, 0xA2, 0xA3, 0xA5, 0xA7, 0xB0, 0xB1, 0xB5, 0xDF, '=', 0},  // ¿ ¡ œ ¢ £ ¥ § ° ± µ ß
    {0, 0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xF0, 0xF1, '[', ']', 0},   // à á â ã ä å æ ç ð ñ
    {0, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0xFE, 0x9A, '\'', 0, 0},    // è é ê ë ì í î ï þ š
    {0, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF9, 0xFA, 0xFB, 0xFC, '/', 0, 0, 0},        // ò ó ô õ ö ù ú û ü
    {0, 0, 0xFD, 0xFF, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0},                             // ý ÿ
}};
constexpr std::array<CharacterRow, kKeyRows> kAccentedUpper{{
    {0, 0xBF, 0xA1, 0x8C, 0xA2, 0xA3, 0xA5, 0xA7, 0xB0, 0xB1, 0xB5, '_', '+', 0},   // ¿ ¡ Œ ¢ £ ¥ § ° ± µ
    {0, 0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xD0, 0xD1, '{', '}', 0},   // À Á Â Ã Ä Å Æ Ç Ð Ñ
    {0, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xDE, 0x8A, '"', 0, 0},     // È É Ê Ë Ì Í Î Ï Þ Š
    {0, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD9, 0xDA, 0xDB, 0xDC, '?', 0, 0, 0},        // Ò Ó Ô Õ Ö Ù Ú Û Ü
    {0, 0, 0xDD, 0x9F, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0},                             // Ý Ÿ
}};
// clang-format on

const KeySlot kNoSlot{};

bool IsEnter(int row, int column) { return (row == 2 && column == 12) || (row == 3 && column == 11); }

} // namespace

const KeySlot& KeySlotAt(int row, int column) {
    if (row < 0 || row >= kKeyRows || column < 0 || column >= kKeySlots)
        return kNoSlot;
    return kSlots[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

KeyPosition HitTestKeyboard(int x, int y) {
    if (x < 0 || y < 0 || x >= kKeyboardWidth || y >= kKeyboardHeight)
        return {};
    KeyPosition hit{y / kKeyRowHeight, 0};
    for (int column = 0; column < kKeySlots; ++column) {
        const KeySlot& slot = KeySlotAt(hit.row, column);
        if (slot.width > 0 && slot.x < x)
            hit.column = column;
    }
    return hit;
}

std::vector<KeyRect> KeyRects(int row, int column) {
    const KeySlot& slot = KeySlotAt(row, column);
    if (slot.width == 0)
        return {};
    if (IsEnter(row, column)) {
        // The upper half reaches down to the lower one, so that the two read as one key.
        const KeySlot& upper = KeySlotAt(2, 12);
        const KeySlot& lower = KeySlotAt(3, 11);
        return {{upper.x, 2 * kKeyRowHeight + 1, upper.width, 16}, {lower.x, 3 * kKeyRowHeight + 1, lower.width, 15}};
    }
    return {{slot.x, row * kKeyRowHeight + 1, slot.width, row == 4 ? 14 : 15}};
}

std::uint8_t OnScreenCharacter(KeyboardTable table, bool upper, int row, int column) {
    const KeySlot& slot = KeySlotAt(row, column);
    if (slot.width == 0)
        return 0;
    if (table == KeyboardTable::LatinAccented)
        return (upper ? kAccentedUpper : kAccented)[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];

    // The other three tables are the physical keyboard's: Latin is the US layout, the Russian
    // faces are the two Russian layouts, read by the key each slot stands for.
    const int vk = slot.virtualKey;
    if (vk == VK_SPACE)
        return ' ';
    // The one key where the Russian face keeps the US character: Shift+3 gives # on screen.
    if (table == KeyboardTable::RussianStandard && upper && vk == '3')
        return '#';
    const int up = upper ? 1 : 0;
    if (int letter = LetterKeyIndex(vk); letter >= 0) {
        switch (table) {
        case KeyboardTable::RussianStandard:
            return kLetterKeys[static_cast<std::size_t>(letter)].columns[kLetterRussian + up];
        case KeyboardTable::RussianTypewriter:
            return kLetterKeys[static_cast<std::size_t>(letter)].columns[kLetterTypewriter + up];
        default:
            return static_cast<std::uint8_t>(upper ? vk : vk + 32);
        }
    }
    if (int punctuation = PunctuationKeyIndexOfVirtualKey(vk); punctuation >= 0) {
        int column0 = table == KeyboardTable::RussianStandard     ? kPunctRussian
                      : table == KeyboardTable::RussianTypewriter ? kPunctTypewriter
                                                                  : kPunctUs;
        return kPunctuationKeys[static_cast<std::size_t>(punctuation)].columns[column0 + up];
    }
    return 0;
}

int CodePageOf(KeyboardTable table) {
    return table == KeyboardTable::RussianStandard || table == KeyboardTable::RussianTypewriter ? 1251 : 1252;
}
