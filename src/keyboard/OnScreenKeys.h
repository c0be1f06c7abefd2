// The on-screen keyboard's keys: where each key lies in the picture and what it types.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kKeyboardWidth = 240;
inline constexpr int kKeyboardHeight = 80;
inline constexpr int kKeyRowHeight = 16;
inline constexpr int kKeyRows = 5;
inline constexpr int kKeySlots = 14; // per row; a slot of width 0 holds no key

// Slot indices (row x 14 + column) of the keys that do more than type.
inline constexpr int kSlotEscape = 0;
inline constexpr int kSlotBackspace = 13;
inline constexpr int kSlotTab = 14;
inline constexpr int kSlotCaps = 28;
inline constexpr int kSlotEnterUpper = 40;
inline constexpr int kSlotShift = 42;
inline constexpr int kSlotEnterLower = 53;
inline constexpr int kSlotFaceKey = 56;
inline constexpr int kSlotAltTableKey = 57;

struct KeySlot {
    int x = 0;
    int width = 0;
    int virtualKey = 0;
};

// The slot of a row and column; a slot of width 0 outside the rows' keys.
const KeySlot& KeySlotAt(int row, int column);

struct KeyPosition {
    int row = -1; // -1: no key
    int column = 0;
};

// The key under a point of the picture. A point in the gap after a key belongs to that key; a
// point outside the picture hits nothing.
KeyPosition HitTestKeyboard(int x, int y);

struct KeyRect {
    int x, y, width, height;
    bool operator==(const KeyRect&) const = default;
};

// The rectangles shown inverted while a key is pressed or locked: one, or both halves of Enter.
std::vector<KeyRect> KeyRects(int row, int column);

// The four character tables of the two faces.
enum class KeyboardTable { Latin, LatinAccented, RussianStandard, RussianTypewriter };

// What a key types in a table, upper case or not; 0 for a key that types nothing.
std::uint8_t OnScreenCharacter(KeyboardTable table, bool upper, int row, int column);

// 1252 for the Latin tables, 1251 for the Russian ones.
int CodePageOf(KeyboardTable table);
