// Input sent through the X server of $DISPLAY as a user's keyboard and mouse, made by the server's
// test extension as if the hardware had sent it. Kept apart from the Qt code, whose names Xlib's
// macros would spoil.
#pragma once

void SendKey(unsigned keyCode, bool press);
// Moves the pointer to a screen point, and clicks the left button there when told.
void SendPointer(int x, int y, bool click);
