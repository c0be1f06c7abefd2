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
        // What the system's layout calls the key does not matter: a German or Russian layout
        // reports other keys and characters at these places.
        {"the US Y place on a German layout", Qt::Key_Z, 0x15, Qt::NoModifier, 'Y'},
        {"the Q place on a Russian layout", 0x0419, 0x10, Qt::NoModifier, 'Q'},
        {"the German umlaut place", 0xD6, 0x27, Qt::NoModifier, VK_OEM_1},
        {"the digit 3 shifted", Qt::Key_section, 0x04, Qt::ShiftModifier, '3'},
        {"the extra key of 102-key keyboards", Qt::Key_Less, 0x56, Qt::NoModifier, VK_OEM_102},
        {"space", Qt::Key_Space, 0x39, Qt::NoModifier, VK_SPACE},
        {"keypad digit", Qt::Key_5, 0x4C, Qt::KeypadModifier, VK_NUMPAD0 + 5},
        {"keypad without Num Lock", Qt::Key_Home, 0x47, Qt::KeypadModifier, VK_HOME},
        {"keypad divide", Qt::Key_Slash, 0x62, Qt::KeypadModifier, VK_DIVIDE},
        {"function key", Qt::Key_F7, 0x41, Qt::NoModifier, VK_F1 + 6},
        {"arrow", Qt::Key_Left, 0x69, Qt::NoModifier, VK_LEFT},
        {"backspace", Qt::Key_Backspace, 0x0E, Qt::NoModifier, VK_BACK},
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
    KeyStroke leftAlt = ReadKeyStroke(NativeKey(QEvent::KeyPress, Qt::Key_Alt, 0x38));
    EXPECT_EQ(leftAlt.message, KeyMessage::SysKeyDown);
    EXPECT_FALSE(leftAlt.rightAlt);
    KeyStroke altUp = ReadKeyStroke(NativeKey(QEvent::KeyRelease, Qt::Key_Alt, 0x38, Qt::AltModifier));
    EXPECT_EQ(altUp.message, KeyMessage::SysKeyUp);
    KeyStroke keyUp = ReadKeyStroke(NativeKey(QEvent::KeyRelease, Qt::Key_Q, 0x10));
    EXPECT_EQ(keyUp.message, KeyMessage::KeyUp);
}
#endif

TEST(KeyEventAdapterTest, EventsWithoutNativeCodesReadAsTypedOnAUsKeyboard) {
    struct Case {
        int qtKey;
        const char* text;
        int virtualKey;
        int scanCode;
        bool shift;
    };
    const Case cases[] = {
        {Qt::Key_A, "a", 'A', 0x1E, false},     {Qt::Key_A, "A", 'A', 0x1E, true},
        {Qt::Key_Exclam, "!", '1', 0x02, true}, {Qt::Key_Q, "", 'Q', 0x10, false},
        {Qt::Key_Tab, "\t", VK_TAB, 0, false},  {Qt::Key_Colon, ":", VK_OEM_1, 0x27, true},
    };
    for (const auto& c : cases) {
        KeyStroke key =
            ReadKeyStroke(QKeyEvent(QEvent::KeyPress, c.qtKey, Qt::NoModifier, QString::fromLatin1(c.text)));
        EXPECT_EQ(key.virtualKey, c.virtualKey) << c.text;
        EXPECT_EQ(key.scanCode, c.scanCode) << c.text;
        EXPECT_EQ(key.shift, c.shift) << c.text;
    }
}

TEST(KeyEventAdapterTest, VirtualKeysBackToQtKeys) {
    for (int vk : {VK_BACK, VK_TAB, VK_RETURN, VK_ESCAPE, VK_DELETE, VK_SPACE, VK_LEFT, VK_SHIFT, VK_CONTROL,
                   VK_CAPITAL, int('A'), int('7'), VK_OEM_MINUS, VK_OEM_3, VK_F1 + 4})
        EXPECT_EQ(VirtualKeyOfQtKey(QtKeyOfVirtualKey(vk), false), vk) << vk;
    EXPECT_EQ(QtKeyOfVirtualKey(VK_OEM_4), Qt::Key_BracketLeft);
    EXPECT_EQ(QtKeyOfVirtualKey(0), Qt::Key_unknown);
    EXPECT_EQ(TextOfVirtualKey(VK_DELETE), QString(QChar(0x7F)));
    EXPECT_EQ(CodePageText("\xE9\xB9", 1251), QString::fromUtf8("й№"));
    EXPECT_EQ(CodePageText("\xE9\x80", 1252), QString::fromUtf8("é€"));
}

} // namespace
