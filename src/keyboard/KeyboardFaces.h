// The pictures of the on-screen keyboard: key frames with the legends of a character table.
#pragma once

#include "keyboard/OnScreenKeys.h"

#include <QPixmap>
#include <QString>

// The keyboard picture of a table, upper case or not: kKeyboardWidth x kKeyboardHeight pixels in
// black and white. Each key shows what it types in that table, so that picture and keys agree.
QPixmap PaintKeyboardFace(KeyboardTable table, bool upper);

// The legend of a key: the character it types, or the sign of what it does.
QString KeyLegend(KeyboardTable table, bool upper, int row, int column);
