// A virtual X server of the test's own, and input sent through it as a user's keyboard and mouse.
#include "XDisplay.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <filesystem>

VirtualXServer::VirtualXServer() {
    for (int number = 11; number <= 19 && !Started(); ++number) {
        const std::string name = ":" + std::to_string(number);
        if (std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock"))
            continue;
        // The server writes the display number to -displayfd once it accepts clients; a server
        // that lost the display to another one ends without writing it. Without -noreset the
        // server would start afresh, with its default keyboard, when setxkbmap disconnects.
        m_server = std::make_unique<ChildProcess>(
            std::vector<std::string>{"sh", "-c",
                                     "exec Xvfb " + name +
                                         " -displayfd 1 -noreset -nolisten tcp -screen 0 800x600x24 2>/dev/null"},
            true);
        if (m_server->WaitForOutput("\n", 10000) && m_server->Output() == std::to_string(number) + "\n")
            m_name = name;
        else
            m_server.reset();
    }
}

bool VirtualXServer::SetKeyboardLayout(const std::string& layouts, const std::string& variants) {
    ChildProcess setxkbmap({"setxkbmap", "-display", m_name, "-layout", layouts, "-variant", variants}, true);
    return setxkbmap.WaitForExit(10000) == 0;
}

XInput::XInput() : m_display(XOpenDisplay(nullptr)) {}

XInput::~XInput() {
    if (m_display)
        XCloseDisplay(m_display);
}

void XInput::Key(unsigned keyCode, bool press) {
    XTestFakeKeyEvent(m_display, keyCode, press ? True : False, CurrentTime);
    XSync(m_display, False);
}

void XInput::Move(int x, int y) {
    XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
    XSync(m_display, False);
}

void XInput::Click(int x, int y) {
    Move(x, y);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XSync(m_display, False);
}
