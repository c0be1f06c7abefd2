// The program's tool tips under real mouse moves, with the show timer driven by the test.
#include "controls/CTipWindow.h"

#include "app/PreTranslate.h"
#include "app/WindowMessages.h"
#include "controls/CPictureButtonBar.h"
#include "controls/WinRect.h"
#include "res/Icons.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The show timer, ticked by the test.
struct FakeTipTimer final : CTipTimer {
    void Start(int, std::function<void()> onTimeout) override { tick = std::move(onTimeout); }
    void Stop() override { tick = nullptr; }
    bool IsActive() const override { return bool(tick); }
    std::function<void()> tick;
};

// A dialog that passes what it pre-translates to its tips, as the program's windows do.
class TipDialog : public QWidget, public CPreTranslating {
public:
    explicit TipDialog(CTipWindow& tips) : m_tips(tips) {}
    bool PreTranslateMessage(QObject* receiver, QEvent* event) override {
        m_tips.RelayEvent(receiver, event);
        return false;
    }
    CTipWindow& m_tips;
};

class CTipWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dialog.setGeometry(60, 60, 300, 150);
        m_bar = new CPictureButtonBar(&m_dialog);
        m_bar->setGeometry(10, 10, 170, 34);
        m_bar->AddPushButton(RectLTRB(0, 0, 33, 33), 32, 32, IDI_HELP, IDI_HELP_HOT, IDI_HELP, WM_HELP);
        m_bar->AddPushButton(RectLTRB(34, 0, 67, 33), 32, 32, IDI_ABOUT, IDI_ABOUT_HOT, IDI_ABOUT, WM_ABOUT_BOX);
        m_tips.Create(m_bar);
        m_tips.SetTool("HILFE", RectLTRB(0, 0, 33, 33), 0);
        m_tips.SetTool("\xCE \xCF\xD0\xCE\xC3\xD0\xC0\xCC\xCC\xC5", RectLTRB(34, 0, 67, 33), 1);
        m_dialog.show();
        m_dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
        MoveAway();
    }

    void MoveAway() { QTest::mouseMove(&m_dialog, QPoint(250, 120)); }
    void Fire() {
        if (m_timer->tick)
            m_timer->tick();
    }
    void RestOn(const QPoint& barPoint) {
        QTest::mouseMove(m_bar, barPoint);
        Fire();
    }

    FakeTipTimer* m_timer = new FakeTipTimer;
    CTipWindow m_tips{std::unique_ptr<CTipTimer>(m_timer)};
    TipDialog m_dialog{m_tips};
    CPictureButtonBar* m_bar = nullptr;
};

TEST_F(CTipWindowTest, AppearsAfterTheShowDelayBelowTheCursorStaysPutAndAKeyOrAClickHidesIt) {
    QTest::mouseMove(m_bar, QPoint(16, 16));
    EXPECT_FALSE(m_tips.isVisible()) << "nothing before the delay has passed";
    Fire();
    ASSERT_TRUE(m_tips.isVisible());
    EXPECT_EQ(m_tips.CurrentText(), "HILFE");
    EXPECT_GT(m_tips.pos().y(), m_bar->mapToGlobal(QPoint(16, 16)).y()) << "below the pointer, not under it";
    EXPECT_NE(QApplication::activeWindow(), &m_tips) << "the tip never takes the focus";
    // Moves over the tools neither restart the delay nor move the tip.
    const QPoint shownAt = m_tips.pos();
    QTest::mouseMove(m_bar, QPoint(40, 20));
    EXPECT_FALSE(m_timer->IsActive());
    EXPECT_EQ(m_tips.pos(), shownAt);
    EXPECT_EQ(m_tips.CurrentText(), QString::fromUtf8("О ПРОГРАММЕ"));
    QTest::keyClick(&m_dialog, Qt::Key_A);
    EXPECT_FALSE(m_tips.isVisible());
    EXPECT_FALSE(m_timer->IsActive());

    MoveAway();
    RestOn(QPoint(40, 16));
    ASSERT_TRUE(m_tips.isVisible());
    QTest::mouseClick(&m_dialog, Qt::RightButton, {}, QPoint(280, 140));
    EXPECT_FALSE(m_tips.isVisible());
}

TEST_F(CTipWindowTest, LeavingTheToolsHidesItAndNothingShowsWhenTheMouseLeftOrTheProgramHasNoFocus) {
    RestOn(QPoint(16, 16));
    MoveAway();
    EXPECT_FALSE(m_tips.isVisible());
    QTest::mouseMove(m_bar, QPoint(16, 16));
    MoveAway();
    Fire();
    EXPECT_FALSE(m_tips.isVisible()) << "the mouse left before the delay";
    QTest::mouseMove(m_bar, QPoint(120, 16)); // on the bar, between the tools
    EXPECT_FALSE(m_timer->IsActive());

    bool focus = false;
    m_tips.SetFocusProbe([&focus] { return focus; });
    RestOn(QPoint(16, 16));
    EXPECT_FALSE(m_tips.isVisible());
    // Focus lost while the delay runs.
    focus = true;
    QTest::mouseMove(m_bar, QPoint(17, 16));
    focus = false;
    Fire();
    EXPECT_FALSE(m_tips.isVisible());
}

TEST_F(CTipWindowTest, ASentMessageOrAModalBoxOverTheWindowPutsTheTipAwayAndFreesTheMouse) {
    QTest::mouseMove(m_bar, QPoint(16, 16));
    QTest::mouseClick(m_bar, Qt::LeftButton, {}, QPoint(16, 16));
    Fire();
    EXPECT_FALSE(m_tips.isVisible()) << "the button sent its message before the delay passed";
    RestOn(QPoint(40, 16));
    ASSERT_TRUE(m_tips.isVisible());
    ASSERT_EQ(QWidget::mouseGrabber(), m_bar);
    QDialog box;
    box.setModal(true);
    box.show();
    EXPECT_FALSE(m_tips.isVisible()) << "the box blocks the bar's window";
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "the bar lets the box have the clicks";
}

} // namespace
