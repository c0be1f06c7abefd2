// The program's icons by resource id: every picture button's looks, painted at run time.
#pragma once

#include <QPixmap>

#include <vector>

// Main window tool bar. The push buttons have a normal and a hot look; their disabled look is
// the normal one. The keyboard-side button's two states each have normal, hot and disabled
// looks at id, id + 1, id + 2.
inline constexpr int IDI_EXIT_HOT = 144;
inline constexpr int IDI_EXIT = 145;
inline constexpr int IDI_ABOUT_HOT = 146;
inline constexpr int IDI_ABOUT = 147;
inline constexpr int IDI_HELP = 204;
inline constexpr int IDI_HELP_HOT = 205;
inline constexpr int IDI_ONSCREEN_KEYBOARD = 220;
inline constexpr int IDI_ONSCREEN_KEYBOARD_HOT = 221;
inline constexpr int IDI_SIDE_CYRILLIC = 303; // 303 normal, 304 hot, 305 disabled
inline constexpr int IDI_SIDE_LATIN = 306;    // 306 normal, 307 hot, 308 disabled

// Data page bars: normal, hot and disabled looks at id, id + 1, id + 2.
inline constexpr int IDI_SAVE = 401;
inline constexpr int IDI_NEW = 404;
inline constexpr int IDI_DELETE = 407;
inline constexpr int IDI_UNDO = 410;
inline constexpr int IDI_VIEW_EDITOR = 413; // arrow right: go to the record editor
inline constexpr int IDI_VIEW_CHOICE = 416; // arrow left: back to the section choice
inline constexpr int IDI_LOCK_OPEN = 419;
inline constexpr int IDI_LOCK_CLOSED = 422;

inline constexpr int kIconLookNormal = 0;
inline constexpr int kIconLookHot = 1;
inline constexpr int kIconLookDisabled = 2;

// The icon of the id at cx x cy pixels; a null pixmap for an id the program does not have.
QPixmap LoadIconPixmap(int id, int cx = 32, int cy = 32);

// Every icon id, in ascending order.
std::vector<int> IconIds();
