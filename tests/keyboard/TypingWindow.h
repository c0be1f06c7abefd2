// The fixture of the keyboard's window tests: a window with the controls a user types into, shown
// and active with the focus in its line, and the keyboard translation and side of the program put
// back after each test.
#pragma once

#include "app/WindowMessages.h"
#include "controls/CFilterEdit.h"
#include "keyboard/CTranslatingApp.h"
#include "keyboard/KeyboardSide.h"
#include "support/FakeKeyboardLayouts.h"
#include "support/WindowTest.h"

#include <QLineEdit>
#include <QTest>

// It counts the messages that reach it, for a mode message still goes on to its window.
class TypingWindow : public QWidget {
public:
    TypingWindow() {
        setGeometry(100, 100, 400, 260);
        m_line->setGeometry(20, 120, 200, 24);
        m_field->setGeometry(20, 150, 200, 50);
    }
    bool event(QEvent* event) override {
        m_messages += CMessageEvent::From(event) != nullptr;
        return QWidget::event(event);
    }
    QLineEdit* m_line = new QLineEdit(this);
    CFilterEdit* m_field = new CFilterEdit(this);
    int m_messages = 0;
};

class TypingWindowTest : public ::testing::Test {
protected:
    // The start-up translation on a French system layout: none of the emulations stands aside for
    // it, so every key typed meets the translation.
    void SetUp() override {
        ResetKeyboardTranslation();
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

    // The system's only layout, and so its active one.
    void Layout(const char* active) {
        m_app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{active}));
    }
    void Post(const std::vector<unsigned>& messages) {
        for (unsigned message : messages)
            PostMessage(&m_window, message);
        QCoreApplication::processEvents();
    }

    CTranslatingApp* m_app = CTranslatingApp::Instance();
    int m_savedSide = g_bLatinKeyboard;
    TypingWindow m_window;
};
