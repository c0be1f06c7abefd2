// Which keyboard side is in force, for the controls that read it.
#include "keyboard/KeyboardSide.h"

int g_bLatinKeyboard = 0;
