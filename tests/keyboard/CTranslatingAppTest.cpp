// How keys reach the program: Qt key events read as keyboard messages, posted mode messages setting
// the translation in the application's notify(), and keys typed into real controls arriving
// translated.
#include "TypingWindow.h"
#include "keyboard/KeyEventAdapter.h"
#include "keyboard/SystemKeyboardLayouts.h"
#include "keyboard/UsKeyboard.h"
#include "keyboard/VirtualKeys.h"

#include <QClipboard>

namespace {

class CTranslatingAppTest : public TypingWindowTest {
protected:
    // A key pressed and released at a place of the keyboard, as the system reports it: the text
    // is what the system's own layout made of it, which the translation replaces.
    void Key(QWidget* target, int scanCode, int qtKey, const QString& systemText = {},
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
#ifdef Q_OS_WIN
        const auto scan = static_cast<quint32>(scanCode);
        const auto vk =
            static_cast<quint32>(UsVirtualKeyOfScanCode(scanCode) ? UsVirtualKeyOfScanCode(scanCode) : qtKey);
#else
        const auto scan = static_cast<quint32>(scanCode + 8);
        const quint32 vk = 0;
#endif
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, qtKey, modifiers, scan, vk, 0, systemText);
            QCoreApplication::sendEvent(target, &event);
        }
    }
    // Types characters at their places on a US keyboard.
    void Type(QWidget* target, const char* usKeys) {
        for (const char* c = usKeys; *c; ++c) {
            auto position = UsKeyOfCharacter(static_cast<char32_t>(*c));
            ASSERT_TRUE(position.has_value());
            Key(target, position->scanCode, QChar(*c).toUpper().unicode(), QString(QChar(*c)),
                position->shift ? Qt::ShiftModifier : Qt::NoModifier);
        }
    }
};

// What each mode message sets is the mode state's own test; here they arrive posted.
TEST_F(CTranslatingAppTest, PostedModeMessagesSetTheModeAndGoOnToTheirWindow) {
    Post({WM_KBD_RUSSIAN_TYPEWRITER, WM_KBD_OFF, WM_KBD_GERMAN});
    EXPECT_EQ(m_app->KeyboardMode(), (KeyboardModeState{1, KBD_KIND_GERMAN, 1}));
    EXPECT_EQ(m_window.m_messages, 3);
    // Other messages leave the state alone.
    Post({WM_KBD_RUSSIAN, WM_KBD_OFF - 1, WM_KBD_INTERNATIONAL + 1, WM_DATA_SAVE, WM_CLOSE});
    EXPECT_EQ(m_app->KeyboardMode(), (KeyboardModeState{1, KBD_KIND_RUSSIAN, 0}));
}

// What each layout types is the translator's test; here a dead key waits for the next key event.
TEST_F(CTranslatingAppTest, TheEmulatedLayoutTypesWhateverTheSystemsLayoutSays) {
    Post({WM_KBD_GERMAN});
    Type(m_window.m_line, "=e+e` ");
    EXPECT_EQ(m_window.m_line->text(), QString::fromUtf8("éè^"));
    // Keys without the system's codes, as test tools send them, are read as typed on a US keyboard.
    Post({WM_KBD_RUSSIAN});
    m_window.m_line->clear();
    QTest::keyClicks(m_window.m_line, "Ghbdtn!");
    EXPECT_EQ(m_window.m_line->text(), QString::fromUtf8("Привет!"));
}

TEST_F(CTranslatingAppTest, TheRecordFieldGetsTheCharactersOfItsCodePage) {
    m_window.m_field->setFocus();
    g_bLatinKeyboard = 0;
    Post({WM_KBD_RUSSIAN});
    Type(m_window.m_field, "ghbdtn ;");
    g_bLatinKeyboard = 1;
    Post({WM_KBD_GERMAN});
    Type(m_window.m_field, "[;=a");
    EXPECT_EQ(m_window.m_field->GetText(), "\xCF\xD0\xC8\xC2\xC5\xD2 \xC6\x82\x81"
                                           "A");
}

TEST_F(CTranslatingAppTest, EditingKeysStillEditAndTabIsACharacter) {
    Post({WM_KBD_RUSSIAN});
    Type(m_window.m_line, "ab");
    Key(m_window.m_line, 0x4B, Qt::Key_Left);
    Type(m_window.m_line, "c");
    Key(m_window.m_line, 0x0E, Qt::Key_Backspace, "\b");
    EXPECT_EQ(m_window.m_line->text(), QString::fromUtf8("фи"));
    QApplication::clipboard()->setText("xyz");
    Key(m_window.m_line, 0x2F, Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(m_window.m_line->text(), QString::fromUtf8("фxyzи"));

    // Tab reaches the focused control as its character; the window's own navigation does not run.
    m_window.m_field->setFocus();
    Key(m_window.m_field, 0x0F, Qt::Key_Tab, "\t");
    EXPECT_EQ(m_window.m_field->GetText(), "\t");
    EXPECT_TRUE(m_window.m_field->hasFocus());
    Key(m_window.m_field, 0x1C, Qt::Key_Return, "\r");
    EXPECT_EQ(m_window.m_field->GetText(), "\t") << "Enter starts no new line in a record field";
    Post({WM_KBD_OFF});
    Key(m_window.m_field, 0x0F, Qt::Key_Tab, "\t");
    EXPECT_FALSE(m_window.m_field->hasFocus()) << "untranslated, Tab moves on";
}

TEST_F(CTranslatingAppTest, TranslationStandsAsideForTheNativeLayoutAndWhenOff) {
    // The key at the US Q place: the system's Russian layout already makes it й, the system's
    // typewriter layout makes it я, which the Russian standard emulation must replace.
    Post({WM_KBD_RUSSIAN});
    Layout("00000419");
    Key(m_window.m_line, 0x10, 0x0419, QString::fromUtf8("й"));
    EXPECT_TRUE(m_app->ModeStandsAside());
    Layout("00010419");
    Key(m_window.m_line, 0x10, 0x042F, QString::fromUtf8("я"));
    EXPECT_FALSE(m_app->ModeStandsAside());
    Post({WM_KBD_OFF});
    Key(m_window.m_line, 0x10, Qt::Key_Q, "q");
    EXPECT_EQ(m_window.m_line->text(), QString::fromUtf8("ййq"));
}

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

// The tests run on the offscreen platform: no X display tells a layout, so none has a name (and no
// emulation stands aside) and searching an installed one changes nothing.
TEST(SystemKeyboardLayoutsTest, WithoutAnXDisplayNoLayoutHasAName) {
    SystemKeyboardLayouts layouts;
    EXPECT_EQ(layouts.ActiveLayoutName(), "");
    EXPECT_TRUE(layouts.InstalledLayouts().empty());
    EXPECT_EQ(layouts.BaseLevelSymbol(0x2C + 8), 0u);
}
#endif

} // namespace
