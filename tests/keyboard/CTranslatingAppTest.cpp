// The application's notify(): posted mode messages set the translation, and keys typed into
// real controls arrive translated.
#include "keyboard/CTranslatingApp.h"

#include "app/WindowMessages.h"
#include "controls/CFilterEdit.h"
#include "keyboard/KeyboardSide.h"
#include "keyboard/SystemKeyboardLayouts.h"
#include "keyboard/UsKeyboard.h"
#include "support/FakeKeyboardLayouts.h"
#include "support/WindowTest.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A window with the controls a user types into; it counts the messages that reach it, for a mode
// message still goes on to its window.
class TypingWindow : public QWidget {
public:
    TypingWindow() {
        setGeometry(80, 80, 320, 200);
        m_line->setGeometry(10, 10, 200, 24);
        m_field->setGeometry(10, 44, 200, 60);
    }
    bool event(QEvent* event) override {
        m_messages += CMessageEvent::From(event) != nullptr;
        return QWidget::event(event);
    }
    QLineEdit* m_line = new QLineEdit(this);
    CFilterEdit* m_field = new CFilterEdit(this);
    int m_messages = 0;
};

class CTranslatingAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_app, nullptr);
        m_app->ResetKeyboardTranslation();
        // A French layout: none of the emulations stands aside for it.
        Layout("0000040C");
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_window.m_line->setFocus();
    }
    void TearDown() override {
        ResetKeyboardTranslation();
        g_bLatinKeyboard = m_savedSide;
    }

    void Layout(const char* active) {
        m_app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{active}));
    }
    void Post(const std::vector<unsigned>& messages) {
        for (unsigned message : messages)
            PostMessage(&m_window, message);
        QCoreApplication::processEvents();
    }

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

    CTranslatingApp* m_app = CTranslatingApp::Instance();
    int m_savedSide = g_bLatinKeyboard;
    TypingWindow m_window;
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
