// The on-screen keyboard under real mouse clicks: what the focused field gets, the keyboard's own
// Shift and Caps, its faces and tables, the logo and the squeeze between the two.
#include "keyboard/COnScreenKeyboard.h"

#include "TypingWindow.h"
#include "support/FakeKeyboardTimer.h"

namespace {

class COnScreenKeyboardTest : public TypingWindowTest {
protected:
    // The keyboard above the window's controls, its face key unlocked as if the logo were set.
    void SetUp() override {
        m_keyboard->setGeometry(20, 10, 260, 90); // larger than the picture: a margin all round
        m_keyboard->SetAnimationTimer(std::unique_ptr<CKeyboardTimer>(m_timer));
        m_keyboard->SetUrlOpener([this](const QUrl& url) {
            m_opened.push_back(url);
            return true;
        });
        m_keyboard->SetFaces(kFaceLatin, kFaceRussian);
        m_keyboard->SelectFace(kFaceLatin, 1);
        m_keyboard->m_bFaceLocked = 0;
        TypingWindowTest::SetUp();
        Layout("00000409"); // a US system layout: the translation stands aside, the clicked keys go straight on
    }

    QPoint KeyCentre(int row, int column) const {
        const KeySlot& slot = KeySlotAt(row, column);
        return m_keyboard->KeyboardOrigin() + QPoint(slot.x + slot.width / 2, row * kKeyRowHeight + 8);
    }
    // Clicks keys by name: letters, digits and space, ^ Shift, # Caps, @ the face key, % the
    // alternate-table key, > Tab, < Backspace.
    void Clicks(std::string_view keys) {
        static const std::string_view rows[] = {"~1234567890..<", ">QWERTYUIOP", "#ASDFGHJKL", "^ZXCVBNM", "@%.. "};
        for (char key : keys)
            for (int row = 0; row < 5; ++row)
                if (auto column = rows[row].find(key); column != std::string_view::npos) {
                    QTest::mouseClick(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(row, int(column)));
                    QCoreApplication::processEvents(); // the keys it types as if pressed arrive posted
                    break;
                }
    }

    COnScreenKeyboard* m_keyboard = new COnScreenKeyboard(&m_window);
    FakeKeyboardTimer* m_timer = new FakeKeyboardTimer; // the keyboard's
    std::vector<QUrl> m_opened;
};

TEST_F(COnScreenKeyboardTest, WhatTheClickedKeysType) {
    const struct {
        const char* name;
        const char* keys;
        const char* typed;
    } cases[] = {
        {"Shift is for one key", "^AA", "Aa"},
        {"Caps stays", "#AA", "AA"},
        {"Caps does not end a pending Shift", "^#AA", "aA"},
        {"Shift on punctuation", "^11", "!1"},
        {"the face key switches what keys type", "Q@Q@Q", "qйq"},
        {"the Russian alternate table", "@%Q^Q", "яЯ"},
    };
    g_bLatinKeyboard = 1;
    const KeyboardModeState mode = m_app->KeyboardMode();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_keyboard->SelectFace(kFaceLatin, 1);
        m_keyboard->m_bCaps = m_keyboard->m_bShift = 0;
        m_window.m_line->clear();
        Clicks(c.keys);
        EXPECT_EQ(m_window.m_line->text(), QString::fromUtf8(c.typed));
        EXPECT_EQ(g_bLatinKeyboard, 1) << "the keyboard side stays";
        EXPECT_EQ(m_app->KeyboardMode(), mode);
    }
}

TEST_F(COnScreenKeyboardTest, ShiftBackspaceDeletesForwardAndEitherEnterHalfSendsOneEnter) {
    m_window.m_line->setText("abcd");
    m_window.m_line->setCursorPosition(2);
    Clicks("<");
    EXPECT_EQ(m_window.m_line->text(), "acd");
    Clicks("^<");
    EXPECT_EQ(m_window.m_line->text(), "ad");

    int enters = 0;
    QObject::connect(m_window.m_line, &QLineEdit::returnPressed, [&] { ++enters; });
    for (auto [row, column] : {std::pair{2, 12}, std::pair{3, 11}}) {
        QTest::mousePress(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(row, column));
        EXPECT_EQ(m_keyboard->InvertedRects(), KeyRects(2, 12)) << "both halves show pressed";
        QTest::mouseRelease(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(row, column));
        EXPECT_TRUE(m_keyboard->InvertedRects().empty());
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(enters, 2);
}

TEST_F(COnScreenKeyboardTest, ItsLettersTypeTheFaceAndItsTabAndBackspacePassTheTranslation) {
    Layout("0000040C");
    Post({WM_KBD_RUSSIAN});
    g_bLatinKeyboard = 0;
    m_window.m_field->setFocus();
    Clicks("Q>W<@%QW");
    // The letters type their face's characters, past the emulation, and arrive in the record
    // field as capitals; the Tab arrives as a character and the focus stays.
    EXPECT_EQ(m_window.m_field->GetText(), "Q\t\xDF\xD8");
    EXPECT_TRUE(m_window.m_field->hasFocus());
}

TEST_F(COnScreenKeyboardTest, TheReleaseGoesToThePressedKeyWhereverTheMouseIs) {
    QTest::mousePress(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(2, 1));
    EXPECT_EQ(m_window.m_line->text(), "") << "a key types when it is released";
    QTest::mouseRelease(m_keyboard, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    EXPECT_EQ(m_window.m_line->text(), "a");

    // A click in the margin round the picture presses no key.
    QTest::mouseClick(m_keyboard, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(m_window.m_line->text(), "a");
}

TEST_F(COnScreenKeyboardTest, RightClickSqueezesToTheLogoAndALeftClickFinishesIt) {
    QTest::mouseClick(m_keyboard, Qt::RightButton, Qt::NoModifier, KeyCentre(2, 1));
    EXPECT_FALSE(m_timer->IsActive()) << "without a logo there is nothing to squeeze to";
    m_keyboard->SetLogo(QPixmap(201, 70), QCursor(Qt::PointingHandCursor));
    m_keyboard->FinishAnimation();
    m_keyboard->ToggleView();
    m_timer->Fire(6);
    ASSERT_EQ(m_keyboard->GetView(), kViewKeyboard);
    EXPECT_EQ(m_keyboard->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(m_keyboard, Qt::RightButton, Qt::NoModifier, KeyCentre(2, 1));
    EXPECT_EQ(m_keyboard->GetView(), kViewToLogo);
    m_timer->Fire(2);
    QTest::mouseClick(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(2, 1));
    EXPECT_EQ(m_keyboard->GetView(), kViewLogo) << "the click ends the squeeze at once";
    EXPECT_FALSE(m_timer->IsActive());
    EXPECT_EQ(m_keyboard->cursor().shape(), Qt::PointingHandCursor);

    // A click on the logo opens the maker's address; neither it nor the click that ended the
    // squeeze types anything.
    QTest::mouseClick(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(2, 1));
    EXPECT_EQ(m_opened, std::vector<QUrl>{COnScreenKeyboard::MakerAddress()});
    EXPECT_EQ(m_window.m_line->text(), "");

    // Without a timer the view switches at once.
    m_timer->m_canStart = false;
    QTest::mouseClick(m_keyboard, Qt::RightButton, Qt::NoModifier, KeyCentre(2, 1));
    EXPECT_EQ(m_keyboard->GetView(), kViewKeyboard);
}

} // namespace
