// Qt key events read as keyboard messages: the key's place, its virtual key and the key state.
#include "keyboard/KeyEventAdapter.h"

#include "keyboard/VirtualKeys.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

#ifndef Q_OS_WIN
// A key event as the X server or a Wayland compositor reports it: key code = scan code + 8.
QKeyEvent NativeKey(QEvent::Type type, int qtKey, int scanCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    quint32 nativeModifiers = 0, const QString& text = {}) {
    return QKeyEvent(type, qtKey, modifiers, static_cast<quint32>(scanCode + 8), 0, nativeModifiers, text);
}

TEST(KeyEventAdapterTest, NativeKeysAreNamedByTheirPlaceOnAUsKeyboard) {
    struct Case {
        const char* name;
        int qtKey;
        int scanCode;
        Qt::KeyboardModifiers modifiers;
        int virtualKey;
    };
    const Case cases[] = {
        // What the system's layout calls the key does not matter (the typing tests of the
        // application cover letters, Shift and the editing keys).
        {"the US Y place on a German layout", Qt::Key_Z, 0x15, Qt::NoModifier, 'Y'},
        {"the extra key of 102-key keyboards", Qt::Key_Less, 0x56, Qt::NoModifier, VK_OEM_102},
        {"keypad digit", Qt::Key_5, 0x4C, Qt::KeypadModifier, VK_NUMPAD0 + 5},
        {"keypad without Num Lock", Qt::Key_Home, 0x47, Qt::KeypadModifier, VK_HOME},
        {"keypad divide", Qt::Key_Slash, 0x62, Qt::KeypadModifier, VK_DIVIDE},
        {"arrow (an extended key)", Qt::Key_Left, 0x69, Qt::NoModifier, VK_LEFT},
        {"Shift+Tab", Qt::Key_Backtab, 0x0F, Qt::ShiftModifier, VK_TAB},
        {"a key without a name", Qt::Key_VolumeUp, 0x73, Qt::NoModifier, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyStroke key = ReadKeyStroke(NativeKey(QEvent::KeyPress, c.qtKey, c.scanCode, c.modifiers));
        EXPECT_EQ(key.virtualKey, c.virtualKey);
        EXPECT_EQ(key.scanCode, c.scanCode);
        EXPECT_EQ(key.message, KeyMessage::KeyDown);
    }
}

TEST(KeyEventAdapterTest, KeyStateAndSystemKeys) {
    KeyStroke caps = ReadKeyStroke(NativeKey(QEvent::KeyPress, Qt::Key_A, 0x1E, Qt::NoModifier, 0x2));
    EXPECT_TRUE(caps.capsLock);
    EXPECT_FALSE(caps.shift);

    KeyStroke altK = ReadKeyStroke(NativeKey(QEvent::KeyPress, Qt::Key_K, 0x25, Qt::AltModifier));
    EXPECT_EQ(altK.message, KeyMessage::SysKeyDown);
    KeyStroke ctrlAltK =
        ReadKeyStroke(NativeKey(QEvent::KeyPress, Qt::Key_K, 0x25, Qt::AltModifier | Qt::ControlModifier));
    EXPECT_EQ(ctrlAltK.message, KeyMessage::KeyDown);

    KeyStroke rightAlt = ReadKeyStroke(NativeKey(QEvent::KeyPress, Qt::Key_AltGr, 0x64));
    EXPECT_EQ(rightAlt.virtualKey, VK_MENU);
    EXPECT_TRUE(rightAlt.rightAlt);
    KeyStroke altUp = ReadKeyStroke(NativeKey(QEvent::KeyRelease, Qt::Key_Alt, 0x38, Qt::AltModifier));
    EXPECT_EQ(altUp.message, KeyMessage::SysKeyUp);
    KeyStroke keyUp = ReadKeyStroke(NativeKey(QEvent::KeyRelease, Qt::Key_Q, 0x10));
    EXPECT_EQ(keyUp.message, KeyMessage::KeyUp);
}
#endif

} // namespace
