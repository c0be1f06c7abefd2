// The keyboard layouts of the system the program runs on.
#include "keyboard/SystemKeyboardLayouts.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>

std::string SystemKeyboardLayouts::ActiveLayoutName() const {
    char name[KL_NAMELENGTH] = {};
    return GetKeyboardLayoutNameA(name) ? std::string(name) : std::string();
}

KeyboardLayouts::Handle SystemKeyboardLayouts::ActiveLayout() const {
    return reinterpret_cast<Handle>(GetKeyboardLayout(0));
}

std::vector<KeyboardLayouts::Handle> SystemKeyboardLayouts::InstalledLayouts() const {
    int count = GetKeyboardLayoutList(0, nullptr);
    std::vector<HKL> layouts(static_cast<std::size_t>(count > 0 ? count : 0));
    count = GetKeyboardLayoutList(count, layouts.data());
    std::vector<Handle> handles;
    for (int i = 0; i < count; ++i)
        handles.push_back(reinterpret_cast<Handle>(layouts[static_cast<std::size_t>(i)]));
    return handles;
}

// No flags: only the program's own thread changes its layout.
void SystemKeyboardLayouts::Activate(Handle layout) { ActivateKeyboardLayout(reinterpret_cast<HKL>(layout), 0); }

// The virtual-key code of a Windows key event already is the active layout's.
unsigned SystemKeyboardLayouts::BaseLevelSymbol(unsigned) const { return 0; }

#elif defined(KL840T_HAVE_XKB)
#include "keyboard/XkbLayoutNames.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>

namespace {

// The program's own connection to the X server, when it runs on an X display.
Display* XDisplay() {
    auto* app = qGuiApp;
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// The groups of the keyboard configuration, as the server's root window names them.
std::vector<XkbGroup> ConfiguredGroups(Display* display) {
    const Atom property = XInternAtom(display, "_XKB_RULES_NAMES", True);
    if (property == None)
        return {};
    Atom type = None;
    int format = 0;
    unsigned long length = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<XkbGroup> groups;
    if (XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 1024, False, XA_STRING, &type, &format,
                           &length, &after, &data) == Success &&
        data && format == 8)
        groups = XkbGroupsOfRuleNames(std::string_view(reinterpret_cast<const char*>(data), length));
    if (data)
        XFree(data);
    return groups;
}

// The group the keys type in: the locked one, or one latched or held for the moment.
int ActiveGroup(Display* display) {
    XkbStateRec state{};
    return XkbGetState(display, XkbUseCoreKbd, &state) == Success ? state.group : 0;
}

} // namespace

std::string SystemKeyboardLayouts::ActiveLayoutName() const {
    Display* display = XDisplay();
    if (!display)
        return {};
    const std::vector<XkbGroup> groups = ConfiguredGroups(display);
    const auto group = static_cast<std::size_t>(ActiveGroup(display));
    return group < groups.size() ? LayoutNameOfXkbGroup(groups[group]) : std::string();
}

KeyboardLayouts::Handle SystemKeyboardLayouts::ActiveLayout() const {
    Display* display = XDisplay();
    return display ? static_cast<Handle>(ActiveGroup(display)) : 0;
}

std::vector<KeyboardLayouts::Handle> SystemKeyboardLayouts::InstalledLayouts() const {
    Display* display = XDisplay();
    std::vector<Handle> handles;
    if (display)
        for (std::size_t group = 0; group < ConfiguredGroups(display).size(); ++group)
            handles.push_back(group);
    return handles;
}

void SystemKeyboardLayouts::Activate(Handle layout) {
    if (Display* display = XDisplay()) {
        XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(layout));
        XFlush(display);
    }
}

unsigned SystemKeyboardLayouts::BaseLevelSymbol(unsigned nativeKeyCode) const {
    Display* display = XDisplay();
    if (!display || nativeKeyCode < 8 || nativeKeyCode > 255)
        return 0;
    // Only this key's symbols are fetched, so that a layout changed since the last key counts.
    XkbDescPtr keyboard = XkbGetMap(display, 0, XkbUseCoreKbd);
    if (!keyboard)
        return 0;
    unsigned symbol = 0;
    const auto key = static_cast<KeyCode>(nativeKeyCode);
    if (XkbGetKeySyms(display, key, 1, keyboard) == Success && keyboard->map) {
        const int groups = XkbKeyNumGroups(keyboard, key);
        int group = ActiveGroup(display);
        if (group >= groups)
            group = 0;
        if (groups > 0)
            symbol = static_cast<unsigned>(XkbKeySymEntry(keyboard, key, 0, group));
    }
    XkbFreeKeyboard(keyboard, 0, True);
    return symbol;
}

#else

std::string SystemKeyboardLayouts::ActiveLayoutName() const { return {}; }
KeyboardLayouts::Handle SystemKeyboardLayouts::ActiveLayout() const { return 0; }
std::vector<KeyboardLayouts::Handle> SystemKeyboardLayouts::InstalledLayouts() const { return {}; }
void SystemKeyboardLayouts::Activate(Handle) {}
unsigned SystemKeyboardLayouts::BaseLevelSymbol(unsigned) const { return 0; }

#endif
