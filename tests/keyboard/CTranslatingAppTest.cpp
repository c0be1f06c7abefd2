// The application's notify(): posted mode messages change the translation state.
#include "keyboard/CTranslatingApp.h"

#include "app/WindowMessages.h"
#include "controls/CFilterEdit.h"
#include "keyboard/KeyboardSide.h"
#include "keyboard/SystemKeyboardLayouts.h"
#include "keyboard/UsKeyboard.h"
#include "support/FakeKeyboardLayouts.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

// Counts the messages that reach it: a mode message still goes on to its window.
class MessageCounter : public QWidget {
public:
    bool event(QEvent* event) override {
        if (CMessageEvent::From(event))
            ++m_messages;
        return QWidget::event(event);
    }
    int m_messages = 0;
};

class CTranslatingAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_app = CTranslatingApp::Instance();
        ASSERT_NE(m_app, nullptr);
        // Each test starts from the start-up state.
        PostMessage(&m_window, WM_KBD_LATIN);
        QCoreApplication::processEvents();
        m_window.m_messages = 0;
    }
    void TearDown() override {
        // The tests after these type with the start-up translation, which stands aside for a US layout.
        m_app->ResetKeyboardTranslation();
        m_app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"00000409"}));
    }

    void Post(const std::vector<unsigned>& messages) {
        for (unsigned message : messages)
            PostMessage(&m_window, message);
        QCoreApplication::processEvents();
    }

    CTranslatingApp* m_app = nullptr;
    MessageCounter m_window;
};

TEST_F(CTranslatingAppTest, PostedModeMessagesInAnyOrderLeaveWhatTheLastSets) {
    const std::array<unsigned, 6> modes{WM_KBD_OFF,    WM_KBD_LATIN,        WM_KBD_RUSSIAN, WM_KBD_RUSSIAN_TYPEWRITER,
                                        WM_KBD_GERMAN, WM_KBD_INTERNATIONAL};
    // The last message's own state, from each of the other five as the one before it.
    for (unsigned last : modes)
        for (unsigned before : modes) {
            Post({WM_KBD_INTERNATIONAL, before, last});
            KeyboardModeState expected{1, KBD_KIND_LATIN, 1};
            expected.Apply(static_cast<KbdModeCommand>(before - WM_KBD_OFF));
            expected.Apply(static_cast<KbdModeCommand>(last - WM_KBD_OFF));
            EXPECT_EQ(m_app->KeyboardMode(), expected) << before << " then " << last;
        }
    // Every permutation of the six: the last one decides what it sets.
    std::array<unsigned, 6> order = modes;
    do {
        Post({order.begin(), order.end()});
        KeyboardModeState expected;
        for (unsigned m : order)
            expected.Apply(static_cast<KbdModeCommand>(m - WM_KBD_OFF));
        ASSERT_EQ(m_app->KeyboardMode(), expected);
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(m_window.m_messages, 6 * 6 * 3 + 720 * 6) << "every mode message goes on to its window";
}

TEST_F(CTranslatingAppTest, OtherMessagesLeaveTheStateAlone) {
    Post({WM_KBD_RUSSIAN, WM_KBD_OFF - 1, WM_KBD_INTERNATIONAL + 1, WM_DATA_SAVE, WM_CLOSE});
    EXPECT_EQ(m_app->KeyboardMode(), (KeyboardModeState{1, KBD_KIND_RUSSIAN, 0}));
}

TEST_F(CTranslatingAppTest, RussianStandardStandsAsideOnlyForTheRussianLayout) {
    struct Case {
        unsigned mode;
        const char* active;
        bool standsAside;
    };
    const Case cases[] = {
        {WM_KBD_RUSSIAN, "00000419", true},
        {WM_KBD_RUSSIAN, "00010419", false},
        {WM_KBD_RUSSIAN_TYPEWRITER, "00010419", true},
        {WM_KBD_GERMAN, "00000407", true},
        {WM_KBD_INTERNATIONAL, "00010409", false},
    };
    for (const auto& c : cases) {
        m_app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{c.active}));
        Post({c.mode});
        EXPECT_EQ(m_app->ModeStandsAside(), c.standsAside) << c.mode << " " << c.active;
    }
}

TEST_F(CTranslatingAppTest, ActivatesTheInstalledLayoutOfTheSideThroughItsLayouts) {
    auto layouts = std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"00000409", "00000419"});
    auto* fake = layouts.get();
    m_app->SetKeyboardLayouts(std::move(layouts));
    m_app->ActivateInstalledLayout(1);
    EXPECT_EQ(fake->ActiveLayoutName(), "00000419");
    m_app->ActivateInstalledLayout(0);
    EXPECT_EQ(fake->ActiveLayoutName(), "00000409");
}

// A window with the controls a user types into, for keys that pass the application as real ones.
class TypingWindow : public QWidget {
public:
    TypingWindow() {
        setGeometry(80, 80, 320, 200);
        m_line = new QLineEdit(this);
        m_line->setGeometry(10, 10, 200, 24);
        m_field = new CFilterEdit(this);
        m_field->setGeometry(10, 44, 200, 60);
        m_button = new QPushButton("OK", this);
        m_button->setGeometry(10, 120, 80, 24);
    }
    QLineEdit* m_line;
    CFilterEdit* m_field;
    QPushButton* m_button;
};

class KeyTranslationTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_app = CTranslatingApp::Instance();
        ASSERT_NE(m_app, nullptr);
        m_app->ResetKeyboardTranslation();
        m_savedSide = g_bLatinKeyboard;
        // A French layout: none of the emulations stands aside for it.
        m_app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"0000040C"}));
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }
    void TearDown() override {
        m_app->ResetKeyboardTranslation();
        m_app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"00000409"}));
        g_bLatinKeyboard = m_savedSide;
    }

    void Mode(unsigned message) {
        PostMessage(&m_window, message);
        QCoreApplication::processEvents();
    }

    // A key pressed and released at a place of the keyboard, as the system reports it: the text
    // is what the system's own layout made of it, which the translation replaces.
    void Key(QWidget* target, int scanCode, int qtKey, const QString& systemText = {},
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
#ifdef Q_OS_WIN
        const quint32 scan = static_cast<quint32>(scanCode);
        const quint32 vk =
            static_cast<quint32>(UsVirtualKeyOfScanCode(scanCode) ? UsVirtualKeyOfScanCode(scanCode) : qtKey);
#else
        const quint32 scan = static_cast<quint32>(scanCode + 8);
        const quint32 vk = 0;
#endif
        QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, scan, vk, 0, systemText);
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, scan, vk, 0, systemText);
        QCoreApplication::sendEvent(target, &release);
    }
    void Type(QWidget* target, const char* usLetters) {
        for (const char* c = usLetters; *c; ++c) {
            auto position = UsKeyOfCharacter(static_cast<char32_t>(*c));
            ASSERT_TRUE(position.has_value());
            Key(target, position->scanCode, QChar(*c).toUpper().unicode(), QString(QChar(*c)),
                position->shift ? Qt::ShiftModifier : Qt::NoModifier);
        }
    }

    CTranslatingApp* m_app = nullptr;
    int m_savedSide = 0;
    TypingWindow m_window;
};

TEST_F(KeyTranslationTest, TheEmulatedLayoutTypesWhateverTheSystemsLayoutSays) {
    struct Case {
        const char* name;
        unsigned mode;
        const char* usKeys;
        const char* typed;
    };
    const Case cases[] = {
        {"Russian", WM_KBD_RUSSIAN, "ghbdtn", "привет"},
        {"typewriter", WM_KBD_RUSSIAN_TYPEWRITER, "Qw!", "Яш№"},
        {"German", WM_KBD_GERMAN, "y;[z", "zöüy"},
        {"German dead key", WM_KBD_GERMAN, "=e+e` ", "éè^"},
        {"international", WM_KBD_INTERNATIONAL, "'c~n", "çñ"},
        {"Latin US", WM_KBD_LATIN, "Hello, World!", "Hello, World!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Mode(c.mode);
        m_window.m_line->clear();
        m_window.m_line->setFocus();
        Type(m_window.m_line, c.usKeys);
        EXPECT_EQ(m_window.m_line->text(), QString::fromUtf8(c.typed));
    }
}

TEST_F(KeyTranslationTest, TheRecordFieldGetsTheCharactersOfItsCodePage) {
    m_window.m_field->setFocus();
    g_bLatinKeyboard = 0;
    Mode(WM_KBD_RUSSIAN);
    Type(m_window.m_field, "ghbdtn ;");
    g_bLatinKeyboard = 1;
    Mode(WM_KBD_GERMAN);
    Type(m_window.m_field, "[;=a");
    EXPECT_EQ(m_window.m_field->GetText(), "\xCF\xD0\xC8\xC2\xC5\xD2 \xC6\x82\x81"
                                           "A");
}

TEST_F(KeyTranslationTest, EditingKeysStillEditAndTabIsACharacter) {
    Mode(WM_KBD_RUSSIAN);
    m_window.m_line->setFocus();
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

    Mode(WM_KBD_OFF);
    Key(m_window.m_field, 0x0F, Qt::Key_Tab, "\t");
    EXPECT_FALSE(m_window.m_field->hasFocus()) << "untranslated, Tab moves on";
}

TEST_F(KeyTranslationTest, TranslationStandsAsideForTheNativeLayoutAndWhenOff) {
    m_window.m_line->setFocus();
    Mode(WM_KBD_RUSSIAN);
    m_app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"00000419"}));
    Key(m_window.m_line, 0x10, 0x0419, QString::fromUtf8("й"));
    m_app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"00000409"}));
    Key(m_window.m_line, 0x10, Qt::Key_Q, "q");
    Mode(WM_KBD_OFF);
    Key(m_window.m_line, 0x10, Qt::Key_Q, "q");
    EXPECT_EQ(m_window.m_line->text(), QString::fromUtf8("ййq"));
}

TEST_F(KeyTranslationTest, TestToolKeysAreReadAsUsKeys) {
    Mode(WM_KBD_RUSSIAN);
    m_window.m_line->setFocus();
    QTest::keyClicks(m_window.m_line, "ghbdtn");
    EXPECT_EQ(m_window.m_line->text(), QString::fromUtf8("привет"));
}

} // namespace

namespace {

TEST(SystemKeyboardLayoutsTest, ReportsTheActiveLayoutAsALayoutName) {
    SystemKeyboardLayouts layouts;
    const std::string name = layouts.ActiveLayoutName();
    ASSERT_EQ(name.size(), 8u) << name;
    EXPECT_EQ(name.find_first_not_of("0123456789ABCDEF"), std::string::npos) << name;
    // Searching an installed layout never leaves the program without one.
    const auto before = layouts.ActiveLayout();
    ActivateInstalledLayout(layouts, 1);
    ActivateInstalledLayout(layouts, 0);
    EXPECT_FALSE(layouts.InstalledLayouts().empty());
#ifndef Q_OS_WIN
    EXPECT_EQ(layouts.ActiveLayout(), before);
    EXPECT_EQ(layouts.ActiveLayoutName(), name);
#endif
}

} // namespace
