// Rectangles given as left, top, right and bottom, the right and bottom edges outside.
#pragma once

#include <QRect>

// The button and tool tables of the windows give their squares as (left, top, right, bottom);
// (0, 0, 33, 33) is 33 pixels wide.
inline QRect RectLTRB(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }
