// Qt key events read as keyboard messages: the key's place, its virtual key and the key state.
#include "keyboard/KeyEventAdapter.h"

#include "keyboard/VirtualKeys.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

#ifndef Q_OS_WIN
// Key events as the X server or a Wayland compositor reports them: key code = scan code + 8.
// What the system's layout calls the key does not matter (the typing tests of the application
// cover letters, Shift and the editing keys).
TEST(KeyEventAdapterTest, NativeKeysAreNamedByTheirPlaceOnAUsKeyboard) {
    const auto press = QEvent::KeyPress, release = QEvent::KeyRelease;
    const auto none = Qt::NoModifier, alt = Qt::AltModifier, keypad = Qt::KeypadModifier;
    const struct {
        const char* name;
        QEvent::Type type;
        int qtKey, scanCode;
        Qt::KeyboardModifiers modifiers;
        quint32 nativeModifiers;
        int virtualKey;
        KeyMessage message;
    } cases[] = {
        {"the US Y place on a German layout", press, Qt::Key_Z, 0x15, none, 0, 'Y', KeyMessage::KeyDown},
        {"the extra key of 102-key keyboards", press, Qt::Key_Less, 0x56, none, 0, VK_OEM_102, KeyMessage::KeyDown},
        {"keypad digit", press, Qt::Key_5, 0x4C, keypad, 0, VK_NUMPAD0 + 5, KeyMessage::KeyDown},
        {"keypad without Num Lock", press, Qt::Key_Home, 0x47, keypad, 0, VK_HOME, KeyMessage::KeyDown},
        {"keypad divide", press, Qt::Key_Slash, 0x62, keypad, 0, VK_DIVIDE, KeyMessage::KeyDown},
        {"arrow (an extended key)", press, Qt::Key_Left, 0x69, none, 0, VK_LEFT, KeyMessage::KeyDown},
        {"Shift+Tab", press, Qt::Key_Backtab, 0x0F, Qt::ShiftModifier, 0, VK_TAB, KeyMessage::KeyDown},
        {"a key without a name", press, Qt::Key_VolumeUp, 0x73, none, 0, 0, KeyMessage::KeyDown},
        {"Caps Lock on", press, Qt::Key_A, 0x1E, none, 0x2, 'A', KeyMessage::KeyDown},
        {"Alt+K is the system's", press, Qt::Key_K, 0x25, alt, 0, 'K', KeyMessage::SysKeyDown},
        {"Ctrl+Alt+K is not", press, Qt::Key_K, 0x25, alt | Qt::ControlModifier, 0, 'K', KeyMessage::KeyDown},
        {"right Alt", press, Qt::Key_AltGr, 0x64, none, 0, VK_MENU, KeyMessage::SysKeyDown},
        {"Alt up", release, Qt::Key_Alt, 0x38, alt, 0, VK_MENU, KeyMessage::SysKeyUp},
        {"key up", release, Qt::Key_Q, 0x10, none, 0, 'Q', KeyMessage::KeyUp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QKeyEvent event(c.type, c.qtKey, c.modifiers, static_cast<quint32>(c.scanCode + 8), 0, c.nativeModifiers);
        const KeyStroke key = ReadKeyStroke(event);
        EXPECT_EQ(key.virtualKey, c.virtualKey);
        EXPECT_EQ(key.scanCode, c.scanCode);
        EXPECT_EQ(key.message, c.message);
        EXPECT_EQ(key.capsLock, c.nativeModifiers != 0);
        EXPECT_EQ(key.shift, c.modifiers.testFlag(Qt::ShiftModifier));
        EXPECT_EQ(key.rightAlt, c.qtKey == Qt::Key_AltGr);
    }
}
#endif

} // namespace
