// Qt key events read as the keyboard messages the translation knows, and back.
#pragma once

#include "keyboard/KeyTranslator.h"
#include "keyboard/KeyboardLayouts.h"

#include <QString>

#include <string>

class QKeyEvent;

// The Windows-equivalent message, virtual key, scan code and key state of a Qt key event. Keys
// are named by their place on the keyboard: on Windows by the system's own codes, elsewhere by
// the native key code (the scan code plus 8) with digits and punctuation named as on a US
// keyboard. A letter key is named by the Latin letter it types without modifiers on the active
// layout (the layouts tell, else the event's own symbol), as the Windows virtual key is; a key
// that types no Latin letter there keeps its US name, as Windows keeps the US letter codes under a
// Cyrillic layout. An event without a native code (made by a program, a test tool or the
// on-screen keyboard) is read as typed on a US keyboard. A key the program has no name for reads
// as virtual key 0.
KeyStroke ReadKeyStroke(const QKeyEvent& event, const KeyboardLayouts* layouts = nullptr);

// The virtual key of a Qt key: editing, navigation, function, keypad and modifier keys, and the
// keys of printable ASCII characters as on a US keyboard; 0 for others.
int VirtualKeyOfQtKey(int qtKey, bool keypad);

// The Qt key of a virtual key, for key events the program makes itself.
int QtKeyOfVirtualKey(int virtualKey);

// The text a key event of an editing key carries (Backspace, Tab, Enter, Escape, Delete).
QString TextOfVirtualKey(int virtualKey);

// Single-byte characters of code page 1251 or 1252 as text.
QString CodePageText(const std::string& bytes, int codePage);
