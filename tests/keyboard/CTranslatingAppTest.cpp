// The application's notify(): posted mode messages change the translation state.
#include "keyboard/CTranslatingApp.h"

#include "app/WindowMessages.h"
#include "keyboard/SystemKeyboardLayouts.h"
#include "support/FakeKeyboardLayouts.h"

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
