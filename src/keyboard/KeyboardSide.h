// Which keyboard side is in force, for the controls that read it.
#pragma once

// 1 on the Latin side, 0 on the Cyrillic side; 0 until the main window's start-up puts the
// Latin side in force. The keyboard-side toggle is its only writer.
extern int g_bLatinKeyboard;
