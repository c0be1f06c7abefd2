// The on-screen keyboard under real mouse clicks: what the focused field gets, the keyboard's own
// Shift and Caps, its faces and tables, the logo and the squeeze between the two.
#include "keyboard/COnScreenKeyboard.h"

#include "app/WindowMessages.h"
#include "controls/CFilterEdit.h"
#include "keyboard/CTranslatingApp.h"
#include "keyboard/KeyboardSide.h"
#include "keyboard/VirtualKeys.h"
#include "support/FakeKeyboardLayouts.h"
#include "support/FakeKeyboardTimer.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Counts the Enter key presses that reach it.
class EnterCounter : public QWidget {
public:
    explicit EnterCounter(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            ++m_enters;
    }
    int m_enters = 0;
};

class COnScreenKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* app = CTranslatingApp::Instance();
        ASSERT_NE(app, nullptr);
        // No translation: the synthesized keys go straight on.
        app->ResetKeyboardTranslation();
        app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"00000409"}));
        m_savedSide = g_bLatinKeyboard;

        m_window.setGeometry(100, 100, 400, 260);
        m_keyboard = new COnScreenKeyboard(&m_window);
        m_keyboard->setGeometry(20, 10, 260, 90); // larger than the picture: a margin all round
        m_keyboard->Attach();
        auto timer = std::make_unique<FakeKeyboardTimer>();
        m_timer = timer.get();
        m_keyboard->SetAnimationTimer(std::move(timer));
        m_keyboard->SetUrlOpener([this](const QUrl& url) {
            m_opened.push_back(url);
            return true;
        });
        m_keyboard->SetFaces(kFaceLatin, kFaceRussian);
        m_keyboard->SelectFace(kFaceLatin, 1);
        m_keyboard->m_bFaceLocked = 0;
        m_line = new QLineEdit(&m_window);
        m_line->setGeometry(20, 120, 200, 24);
        m_field = new CFilterEdit(&m_window);
        m_field->setGeometry(20, 150, 200, 50);
        m_enter = new EnterCounter(&m_window);
        m_enter->setGeometry(240, 150, 40, 40);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_line->setFocus();
    }
    void TearDown() override { g_bLatinKeyboard = m_savedSide; }

    QPoint KeyCentre(int row, int column) const {
        const KeySlot& slot = KeySlotAt(row, column);
        return m_keyboard->KeyboardOrigin() + QPoint(slot.x + slot.width / 2, row * kKeyRowHeight + 8);
    }
    void Click(int row, int column) {
        QTest::mouseClick(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(row, column));
        QCoreApplication::processEvents(); // the keys the keyboard types as if pressed arrive posted
    }
    void ClickLetter(char letter) {
        static const char* rows[] = {"", "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
        for (int row = 1; row <= 3; ++row)
            for (int column = 0; rows[row][column]; ++column)
                if (rows[row][column] == letter) {
                    Click(row, column + 1);
                    return;
                }
        FAIL() << letter;
    }
    void ClickShift() { Click(3, 0); }
    void ClickCaps() { Click(2, 0); }

    QWidget m_window;
    COnScreenKeyboard* m_keyboard = nullptr;
    FakeKeyboardTimer* m_timer = nullptr;
    QLineEdit* m_line = nullptr;
    CFilterEdit* m_field = nullptr;
    EnterCounter* m_enter = nullptr;
    std::vector<QUrl> m_opened;
    int m_savedSide = 0;
};

TEST_F(COnScreenKeyboardTest, TheControlIsAtLeastAsLargeAsThePicture) {
    COnScreenKeyboard small(&m_window);
    small.setGeometry(5, 6, 100, 40);
    small.Attach();
    EXPECT_EQ(small.geometry(), QRect(5, 6, 240, 80));
    EXPECT_EQ(m_keyboard->KeyboardOrigin(), QPoint(10, 5));
    EXPECT_EQ(m_keyboard->focusPolicy(), Qt::NoFocus);
}

TEST_F(COnScreenKeyboardTest, ShiftIsForOneKeyAndCapsStays) {
    struct Case {
        const char* name;
        std::vector<std::function<void()>> clicks;
        const char* typed;
    };
    auto shift = [this] { ClickShift(); };
    auto caps = [this] { ClickCaps(); };
    auto a = [this] { ClickLetter('A'); };
    auto one = [this] { Click(0, 1); };
    const Case cases[] = {
        {"Shift A A", {shift, a, a}, "Aa"},
        {"Caps A A", {caps, a, a}, "AA"},
        {"Caps and Shift give lower case", {caps, shift, a, a}, "aA"},
        {"Shift on punctuation", {shift, one, one}, "!1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_keyboard->m_bCaps = 0;
        m_keyboard->m_bShift = 0;
        m_line->clear();
        for (const auto& click : c.clicks)
            click();
        EXPECT_EQ(m_line->text(), c.typed);
    }
}

TEST_F(COnScreenKeyboardTest, TheRussianAlternateTableIsTheTypewriter) {
    m_keyboard->SelectFace(kFaceRussian, 0);
    ClickLetter('Q');
    ClickShift();
    ClickLetter('Q');
    EXPECT_EQ(m_line->text(), QString::fromUtf8("яЯ"));

    // In a record field on the Cyrillic side both arrive as the capital.
    g_bLatinKeyboard = 0;
    m_field->setFocus();
    ClickLetter('Q');
    ClickLetter('W');
    EXPECT_EQ(m_field->GetText(), "\xDF\xD8");

    // The alternate-table key goes back to the standard table.
    Click(4, 1);
    m_line->setFocus();
    m_line->clear();
    ClickLetter('Q');
    EXPECT_EQ(m_line->text(), QString::fromUtf8("й"));
}

TEST_F(COnScreenKeyboardTest, ShiftBackspaceDeletesForwardAndEitherEnterHalfSendsOneEnter) {
    m_line->setText("abcd");
    m_line->setCursorPosition(2);
    Click(0, 13);
    EXPECT_EQ(m_line->text(), "acd");
    ClickShift();
    Click(0, 13);
    EXPECT_EQ(m_line->text(), "ad");
    EXPECT_EQ(m_keyboard->m_bShift, 0);

    m_enter->setFocus();
    for (auto [row, column] : {std::pair{2, 12}, std::pair{3, 11}}) {
        QTest::mousePress(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(row, column));
        EXPECT_EQ(m_keyboard->InvertedRects(), KeyRects(2, 12)) << "both halves show pressed";
        QTest::mouseRelease(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(row, column));
        EXPECT_TRUE(m_keyboard->InvertedRects().empty());
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(m_enter->m_enters, 2);
}

TEST_F(COnScreenKeyboardTest, ItsTabAndBackspacePassTheTranslationLikeRealKeys) {
    auto* app = CTranslatingApp::Instance();
    app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"0000040C"}));
    PostMessage(&m_window, WM_KBD_RUSSIAN);
    QCoreApplication::processEvents();
    g_bLatinKeyboard = 0;
    m_field->setFocus();
    ClickLetter('Q');
    Click(1, 0);
    ClickLetter('W');
    Click(0, 13);
    // The on-screen letters type their face's characters, past the emulation; the Tab arrives as
    // a character and the focus stays.
    EXPECT_EQ(m_field->GetText(), "Q\t");
    EXPECT_TRUE(m_field->hasFocus());
    app->ResetKeyboardTranslation();
    app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"00000409"}));
}

TEST_F(COnScreenKeyboardTest, TheFaceKeySwitchesTheTypedCharactersButNotTheKeyboardSide) {
    g_bLatinKeyboard = 1;
    const KeyboardModeState mode = CTranslatingApp::Instance()->KeyboardMode();
    ClickLetter('Q');
    Click(4, 0);
    ClickLetter('Q');
    Click(4, 0);
    ClickLetter('Q');
    EXPECT_EQ(m_line->text(), QString::fromUtf8("qйq"));
    EXPECT_EQ(g_bLatinKeyboard, 1);
    EXPECT_EQ(CTranslatingApp::Instance()->KeyboardMode(), mode);
}

TEST_F(COnScreenKeyboardTest, TheReleaseGoesToThePressedKeyWhereverTheMouseIs) {
    QTest::mousePress(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(2, 1));
    EXPECT_EQ(m_line->text(), "") << "a key types when it is released";
    QTest::mouseRelease(m_keyboard, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    EXPECT_EQ(m_line->text(), "a");

    // A click in the margin round the picture presses no key.
    QTest::mouseClick(m_keyboard, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(m_keyboard->m_nPressedRow, -1);
    EXPECT_EQ(m_line->text(), "a");
}

TEST_F(COnScreenKeyboardTest, RightClickSqueezesToTheLogoAndALeftClickFinishesIt) {
    m_keyboard->SetLogo(QPixmap(201, 70), QCursor(Qt::PointingHandCursor));
    m_keyboard->FinishAnimation();
    ASSERT_EQ(m_keyboard->GetView(), kViewLogo);
    m_keyboard->ToggleView();
    for (int tick = 0; tick < 6; ++tick)
        m_timer->Fire();
    ASSERT_EQ(m_keyboard->GetView(), kViewKeyboard);
    EXPECT_EQ(m_keyboard->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(m_keyboard, Qt::RightButton, Qt::NoModifier, KeyCentre(2, 1));
    EXPECT_EQ(m_keyboard->GetView(), kViewToLogo);
    EXPECT_EQ(m_timer->m_period, 10);
    m_timer->Fire(2);
    EXPECT_EQ(m_keyboard->m_nAnim, 50);
    QTest::mouseClick(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(2, 1));
    EXPECT_EQ(m_keyboard->GetView(), kViewLogo) << "the click ends the squeeze at once";
    EXPECT_FALSE(m_timer->IsActive());
    EXPECT_EQ(m_line->text(), "") << "and types nothing";
    EXPECT_EQ(m_keyboard->cursor().shape(), Qt::PointingHandCursor);

    // A click on the logo opens the maker's address and types nothing.
    QTest::mouseClick(m_keyboard, Qt::LeftButton, Qt::NoModifier, KeyCentre(2, 1));
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], COnScreenKeyboard::MakerAddress());
    EXPECT_EQ(m_line->text(), "");

    // Without a timer the view switches at once.
    m_timer->m_canStart = false;
    QTest::mouseClick(m_keyboard, Qt::RightButton, Qt::NoModifier, KeyCentre(2, 1));
    EXPECT_EQ(m_keyboard->GetView(), kViewKeyboard);
}

TEST_F(COnScreenKeyboardTest, WithoutALogoThereIsNothingToSqueezeTo) {
    QTest::mouseClick(m_keyboard, Qt::RightButton, Qt::NoModifier, KeyCentre(2, 1));
    EXPECT_EQ(m_keyboard->GetView(), kViewKeyboard);
    EXPECT_FALSE(m_timer->IsActive());
}

} // namespace
