// The program's tool tips under real mouse moves, with the show timer driven by the test.
#include "controls/CTipWindow.h"

#include "app/PreTranslate.h"
#include "app/WindowMessages.h"
#include "controls/CPictureButtonBar.h"
#include "controls/WinRect.h"
#include "res/Icons.h"

#include <QApplication>
#include <QCursor>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class FakeTipTimer final : public CTipTimer {
public:
    void Start(int ms, std::function<void()> onTimeout) override {
        m_interval = ms;
        m_onTimeout = std::move(onTimeout);
        m_active = true;
        ++m_starts;
    }
    void Stop() override { m_active = false; }
    bool IsActive() const override { return m_active; }

    // One tick of the timer, as the event loop would deliver it.
    void Fire() {
        if (m_active && m_onTimeout)
            m_onTimeout();
    }

    int m_interval = 0;
    int m_starts = 0;
    bool m_active = false;
    std::function<void()> m_onTimeout;
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
        auto timer = std::make_unique<FakeTipTimer>();
        m_timer = timer.get();
        m_tips = std::make_unique<CTipWindow>(std::move(timer));
        m_dialog = std::make_unique<TipDialog>(*m_tips);
        m_dialog->setGeometry(60, 60, 300, 150);
        m_bar = new CPictureButtonBar(m_dialog.get());
        m_bar->setGeometry(10, 10, 170, 34);
        m_bar->AddPushButton(RectLTRB(0, 0, 33, 33), 32, 32, IDI_HELP, IDI_HELP_HOT, IDI_HELP, WM_HELP);
        m_bar->AddPushButton(RectLTRB(34, 0, 67, 33), 32, 32, IDI_ABOUT, IDI_ABOUT_HOT, IDI_ABOUT, WM_ABOUT_BOX);
        m_tips->Create(m_bar);
        m_tips->SetTool("HILFE", RectLTRB(0, 0, 33, 33), 0);
        m_tips->SetTool("\xCE \xCF\xD0\xCE\xC3\xD0\xC0\xCC\xCC\xC5", RectLTRB(34, 0, 67, 33), 1);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        m_dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
        QTest::mouseMove(m_dialog.get(), QPoint(280, 140)); // start away from the tools
    }

    void RestOn(const QPoint& barPoint) {
        QTest::mouseMove(m_bar, barPoint);
        m_timer->Fire();
    }

    FakeTipTimer* m_timer = nullptr;
    std::unique_ptr<CTipWindow> m_tips;
    std::unique_ptr<TipDialog> m_dialog;
    CPictureButtonBar* m_bar = nullptr;
};

TEST_F(CTipWindowTest, AppearsAfterTheShowDelayUnderTheCursorAndAKeyHidesIt) {
    QTest::mouseMove(m_bar, QPoint(16, 16));
    EXPECT_TRUE(m_timer->IsActive());
    EXPECT_EQ(m_timer->m_interval, 400);
    EXPECT_FALSE(m_tips->isVisible()) << "nothing before the delay has passed";
    m_timer->Fire();
    ASSERT_TRUE(m_tips->isVisible());
    EXPECT_EQ(m_tips->CurrentText(), "HILFE");
    const QPoint cursor = m_bar->mapToGlobal(QPoint(16, 16));
    EXPECT_EQ(QCursor::pos(), cursor);
    EXPECT_EQ(m_tips->pos().x(), cursor.x());
    EXPECT_GT(m_tips->pos().y(), cursor.y()) << "below the pointer, not under it";
    QFontMetrics metrics(m_tips->font());
    EXPECT_EQ(m_tips->size(), QSize(metrics.horizontalAdvance("HILFE") + 8, metrics.height() + 4));
    EXPECT_NE(QApplication::activeWindow(), m_tips.get()) << "the tip never takes the focus";

    QTest::keyClick(m_dialog.get(), Qt::Key_A);
    EXPECT_FALSE(m_tips->isVisible());
    EXPECT_FALSE(m_timer->IsActive());
}

TEST_F(CTipWindowTest, HiddenByAClickWithEitherButton) {
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        RestOn(QPoint(40, 16));
        ASSERT_TRUE(m_tips->isVisible());
        EXPECT_EQ(m_tips->CurrentText(), QString::fromUtf8("О ПРОГРАММЕ"));
        QTest::mouseClick(m_dialog.get(), button, {}, QPoint(250, 120));
        EXPECT_FALSE(m_tips->isVisible());
        QTest::mouseMove(m_dialog.get(), QPoint(280, 140));
    }
}

TEST_F(CTipWindowTest, FirstMoveOverAToolFixesTheTipAndLeavingTheToolsHidesIt) {
    RestOn(QPoint(10, 10));
    ASSERT_TRUE(m_tips->isVisible());
    const QPoint shownAt = m_tips->pos();
    QTest::mouseMove(m_bar, QPoint(20, 20));
    EXPECT_FALSE(m_timer->IsActive());
    EXPECT_EQ(m_tips->pos(), shownAt);
    QTest::mouseMove(m_bar, QPoint(40, 20)); // onto the next tool: the text follows, the tip stays
    EXPECT_TRUE(m_tips->isVisible());
    QTest::mouseMove(m_dialog.get(), QPoint(250, 120));
    EXPECT_FALSE(m_tips->isVisible());
    EXPECT_FALSE(m_tips->IsTracking());
}

TEST_F(CTipWindowTest, MouseGoneBeforeTheDelayShowsNothing) {
    QTest::mouseMove(m_bar, QPoint(16, 16));
    QTest::mouseMove(m_dialog.get(), QPoint(250, 120));
    m_timer->Fire();
    EXPECT_FALSE(m_tips->isVisible());
    // A move over the bar between the tools finds no tool and starts nothing.
    QTest::mouseMove(m_bar, QPoint(120, 16));
    EXPECT_FALSE(m_timer->IsActive());
}

TEST_F(CTipWindowTest, NeverShownWhileTheProgramHasNoFocus) {
    m_tips->SetFocusProbe([] { return false; });
    QTest::mouseMove(m_bar, QPoint(16, 16));
    EXPECT_FALSE(m_timer->IsActive());
    m_timer->Fire();
    EXPECT_FALSE(m_tips->isVisible());

    // Focus lost while the delay runs: the tick shows nothing either.
    bool focus = true;
    m_tips->SetFocusProbe([&focus] { return focus; });
    QTest::mouseMove(m_bar, QPoint(17, 16));
    focus = false;
    m_timer->Fire();
    EXPECT_FALSE(m_tips->isVisible());
}

TEST_F(CTipWindowTest, ToolsGrowBySetToolAndKeepTheirRectangleOnNewText) {
    CTipWindow tips(std::make_unique<FakeTipTimer>());
    tips.SetTool("DRITTER", RectLTRB(10, 10, 20, 20), 2);
    EXPECT_EQ(tips.ToolCount(), 3);
    EXPECT_EQ(tips.ToolTextAt(QPoint(15, 15)), "DRITTER");
    tips.SetToolText("NEU", 2);
    tips.SetToolText("NIRGENDS", 5);
    EXPECT_EQ(tips.ToolCount(), 3);
    EXPECT_EQ(tips.ToolTextAt(QPoint(15, 15)), "NEU");
    EXPECT_EQ(tips.ToolTextAt(QPoint(20, 20)), "") << "right and bottom edges lie outside";
    EXPECT_EQ(CTipWindow::ForOwner(m_bar), m_tips.get());
    m_tips.reset();
    EXPECT_EQ(CTipWindow::ForOwner(m_bar), nullptr);
}

} // namespace
