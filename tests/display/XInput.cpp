// Input sent through the X server of $DISPLAY as a user's keyboard and mouse.
#include "XInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

// One connection for the whole case: the process ends with it.
Display* Server() {
    static Display* const display = XOpenDisplay(nullptr);
    return display;
}

} // namespace

void SendKey(unsigned keyCode, bool press) {
    XTestFakeKeyEvent(Server(), keyCode, press ? True : False, CurrentTime);
    XSync(Server(), False);
}

void SendPointer(int x, int y, bool click) {
    XTestFakeMotionEvent(Server(), -1, x, y, CurrentTime);
    if (click) {
        XTestFakeButtonEvent(Server(), 1, True, CurrentTime);
        XTestFakeButtonEvent(Server(), 1, False, CurrentTime);
    }
    XSync(Server(), False);
}
