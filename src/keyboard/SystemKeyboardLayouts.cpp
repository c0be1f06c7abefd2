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

#else
#include <QGuiApplication>
#include <QInputMethod>
#include <QLocale>

std::string SystemKeyboardLayouts::ActiveLayoutName() const {
    // The input method's locale follows the keyboard the user switches to where the platform
    // tells it; otherwise it is the system locale.
    QLocale locale = QGuiApplication::instance() ? QGuiApplication::inputMethod()->locale() : QLocale::system();
    return LayoutNameForLocale(locale.name().toStdString());
}

KeyboardLayouts::Handle SystemKeyboardLayouts::ActiveLayout() const { return 0; }

std::vector<KeyboardLayouts::Handle> SystemKeyboardLayouts::InstalledLayouts() const { return {0}; }

void SystemKeyboardLayouts::Activate(Handle) {}
#endif
