// A virtual X server of the test's own, and input sent through it as a user's keyboard and mouse.
#pragma once

#include "support/ChildProcess.h"

#include <memory>
#include <string>

struct _XDisplay;

// Xvfb on the first free display of :11 to :19, ended with the object. The display is taken only
// when this server announced it, so tests running side by side never share one.
class VirtualXServer {
public:
    VirtualXServer();

    bool Started() const { return !m_name.empty(); }
    const std::string& Name() const { return m_name; } // ":11"
    // The keyboard layouts of the server's configuration, as setxkbmap takes them ("us,ru").
    bool SetKeyboardLayout(const std::string& layouts, const std::string& variants);

private:
    std::unique_ptr<ChildProcess> m_server;
    std::string m_name;
};

// Key presses by key code and mouse clicks at screen points, made by the X server's test
// extension as if the hardware had sent them.
class XInput {
public:
    XInput();
    ~XInput();
    XInput(const XInput&) = delete;
    XInput& operator=(const XInput&) = delete;

    bool Connected() const { return m_display != nullptr; }
    void Key(unsigned keyCode, bool press);
    void Move(int x, int y);
    void Click(int x, int y);

private:
    _XDisplay* m_display;
};
