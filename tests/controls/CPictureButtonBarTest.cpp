// Picture-button bars and their tool tips under real mouse events: clicks, lost presses, looks,
// states, accessibility, when a tip shows and goes, and the icons the buttons draw.
#include "controls/CPictureButtonBar.h"

#include "app/PreTranslate.h"
#include "app/WindowMessages.h"
#include "controls/CTipWindow.h"
#include "controls/WinRect.h"
#include "res/Icons.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace {

constexpr unsigned kFirst = WM_USER + 10, kSecond = WM_HELP, kToggle = WM_DATA_VIEW;

// The show timer, ticked by the test.
struct FakeTipTimer final : CTipTimer {
    void Start(int, std::function<void()> onTimeout) override { tick = std::move(onTimeout); }
    void Stop() override { tick = nullptr; }
    bool IsActive() const override { return bool(tick); }
    std::function<void()> tick;
};

// A parent that records the messages it receives (wParam must repeat the message, lParam be 0),
// and passes what it pre-translates to its tips, as the program's windows do.
class BarWindow : public QWidget, public CPreTranslating {
public:
    explicit BarWindow(CTipWindow& tips) : m_tips(tips) {}
    bool event(QEvent* event) override {
        auto* message = CMessageEvent::From(event);
        if (!message)
            return QWidget::event(event);
        m_messages.push_back(message->message());
        EXPECT_EQ(message->wParam(), message->message());
        EXPECT_EQ(message->lParam(), 0);
        if (m_onMessage)
            m_onMessage();
        return true;
    }
    bool PreTranslateMessage(QObject* receiver, QEvent* event) override {
        m_tips.RelayEvent(receiver, event);
        return false;
    }
    CTipWindow& m_tips;
    std::vector<unsigned> m_messages;
    std::function<void()> m_onMessage; // e.g. a window that closes on the message
};

// Two push buttons and one toggle button, like the main window's row, each with its tip.
class CPictureButtonBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.setGeometry(40, 40, 300, 150);
        m_bar = new CPictureButtonBar(&m_window);
        m_bar->setGeometry(10, 10, 170, 40);
        m_bar->AddPushButton(RectLTRB(0, 0, 33, 33), 32, 32, IDI_HELP, IDI_HELP_HOT, IDI_HELP, kFirst);
        m_bar->AddPushButton(RectLTRB(34, 0, 67, 33), 32, 32, IDI_SAVE, IDI_SAVE + 1, IDI_SAVE + 2, kSecond);
        m_bar->AddToggleButton(RectLTRB(68, 0, 101, 33), 32, 32, IDI_VIEW_EDITOR, IDI_VIEW_CHOICE, kToggle);
        m_tips.Create(m_bar);
        m_tips.SetTool("HILFE", RectLTRB(0, 0, 33, 33), 0);
        m_tips.SetTool("\xCE \xCF\xD0\xCE\xC3\xD0\xC0\xCC\xCC\xC5", RectLTRB(34, 0, 67, 33), 1);
        m_tips.SetTool("\202BERSICHT", RectLTRB(68, 0, 101, 33), 2);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        // The cursor may still rest where the last test left it, over the same button: a move
        // to the same place is no move, so every test starts with the mouse away from the bar.
        MoveAway();
    }

    void MoveAway() { QTest::mouseMove(&m_window, QPoint(250, 120)); }
    QPoint Centre(int index) const { return m_bar->ButtonRect(index).center(); }
    void Click(int index) { QTest::mouseClick(m_bar, Qt::LeftButton, {}, Centre(index)); }

    QImage Shown(int index) const { return m_bar->grab(m_bar->ButtonRect(index)).toImage(); }

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
    BarWindow m_window{m_tips};
    CPictureButtonBar* m_bar = nullptr;
};

TEST_F(CPictureButtonBarTest, OnlyAPressAndReleaseOnTheSameButtonSendsItsMessageOnce) {
    // Steps: p/r press and release the left button, P/R the right one, m move; each at a point.
    using Steps = std::vector<std::pair<char, QPoint>>;
    const QPoint c0 = Centre(0), offBar(-20, 60), edge(33, 16), gap(33, 10);
    const struct {
        const char* name;
        Steps steps;
        std::vector<unsigned> sent;
    } cases[] = {
        {"click", {{'p', c0}, {'r', c0}}, {kFirst}},
        {"moving within the button", {{'p', {2, 2}}, {'m', {30, 30}}, {'r', {30, 30}}}, {kFirst}},
        {"press alone: the message goes on release", {{'p', c0}}, {}},
        {"dragged to the neighbour", {{'p', c0}, {'m', Centre(1)}, {'r', Centre(1)}}, {}},
        {"dragged off and back", {{'p', c0}, {'m', offBar}, {'m', c0}, {'r', c0}}, {}},
        {"dragged just past the edge and back", {{'p', c0}, {'m', edge}, {'m', c0}, {'r', c0}}, {}},
        {"between the buttons", {{'p', gap}, {'r', gap}}, {}},
        {"right button", {{'P', Centre(1)}, {'R', Centre(1)}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_window.m_messages.clear();
        for (auto [what, at] : c.steps) {
            const Qt::MouseButton button = std::isupper(what) ? Qt::RightButton : Qt::LeftButton;
            if (what == 'm')
                QTest::mouseMove(m_bar, at);
            else if (std::tolower(what) == 'p')
                QTest::mousePress(m_bar, button, {}, at);
            else
                QTest::mouseRelease(m_bar, button, {}, at);
        }
        EXPECT_EQ(m_window.m_messages, c.sent);
        QTest::mouseRelease(m_bar, Qt::LeftButton, {}, QPoint(250, 100));
        MoveAway();
    }
}

// Each look differs from the others; the bar holds the mouse while a button is hot.
TEST_F(CPictureButtonBarTest, AHotButtonHoldsTheMouseAndLooksFollowHotPressedAndDisabled) {
    const QImage normal = Shown(0);
    QTest::mouseMove(m_bar, Centre(0));
    const QImage hot = Shown(0);
    EXPECT_EQ(QWidget::mouseGrabber(), m_bar);
    QTest::mousePress(m_bar, Qt::LeftButton, {}, Centre(0));
    const QImage pressed = Shown(0);
    QTest::mouseRelease(m_bar, Qt::LeftButton, {}, Centre(0));
    EXPECT_EQ(Shown(0), hot);
    EXPECT_NE(hot, normal);
    EXPECT_NE(pressed, hot);
    // A button disabled under the mouse stays hot until the next move, then looks normal.
    m_bar->SetButtonDisabled(0, true);
    EXPECT_EQ(Shown(0), hot);
    QTest::mouseMove(m_bar, Centre(0) + QPoint(1, 0));
    EXPECT_EQ(Shown(0), normal) << "its disabled look is the normal one";
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(CPictureButtonBarTest, StatesAndDisablingAnswerWhetherTheyExistAndTheParentMayEndTheBar) {
    const QImage choice = Shown(2);
    EXPECT_TRUE(m_bar->SetButtonState(2, 1));
    EXPECT_FALSE(m_bar->SetButtonState(2, 2)) << "the state count of a toggle";
    EXPECT_FALSE(m_bar->SetButtonState(0, 1)) << "the state count of a push button";
    EXPECT_FALSE(m_bar->SetButtonState(3, 0));
    EXPECT_FALSE(m_bar->SetButtonDisabled(3, true));
    EXPECT_NE(Shown(2), choice) << "the second state has its own icons";
    EXPECT_TRUE(m_bar->SetButtonDisabled(2, true));
    Click(2);
    EXPECT_TRUE(m_window.m_messages.empty()) << "a disabled button ignores clicks";
    EXPECT_TRUE(m_bar->SetButtonDisabled(2, false));
    // The parent may end the bar on its message.
    m_window.m_onMessage = [this] { delete m_bar; };
    Click(2);
    EXPECT_EQ(m_window.m_messages, std::vector<unsigned>{kToggle});
    EXPECT_EQ(m_window.findChild<CPictureButtonBar*>(), nullptr);
}

TEST_F(CPictureButtonBarTest, EachButtonIsAnAccessiblePushButtonNamedByItsTip) {
    m_bar->SetButtonDisabled(1, true);
    m_bar->SetButtonState(2, 1);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(m_bar);
    QStringList seen;
    for (int i = 0; i < bar->childCount(); ++i) {
        QAccessibleInterface* button = bar->child(i);
        const QAccessible::State state = button->state();
        seen << button->text(QAccessible::Name) + (button->role() == QAccessible::Button ? " button" : " ?") +
                    (state.disabled ? " disabled" : "") + (state.checkable ? " checkable" : "") +
                    (state.checked ? " checked" : "");
        EXPECT_EQ(bar->childAt(button->rect().center().x(), button->rect().center().y()), button);
    }
    EXPECT_EQ(seen, QStringList({"HILFE button", QString::fromUtf8("О ПРОГРАММЕ button disabled"),
                                 QString::fromUtf8("ÜBERSICHT button checkable checked")}));
    // The press action clicks an enabled button and leaves a disabled one alone.
    bar->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    bar->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(m_window.m_messages, std::vector<unsigned>{kToggle});
}

TEST_F(CPictureButtonBarTest, TheTipAppearsAfterTheShowDelayBelowTheCursorStaysPutAndAKeyOrAClickHidesIt) {
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
    QTest::keyClick(&m_window, Qt::Key_A);
    EXPECT_FALSE(m_tips.isVisible());
    EXPECT_FALSE(m_timer->IsActive());

    MoveAway();
    RestOn(QPoint(40, 16));
    ASSERT_TRUE(m_tips.isVisible());
    QTest::mouseClick(&m_window, Qt::RightButton, {}, QPoint(280, 140));
    EXPECT_FALSE(m_tips.isVisible());
}

TEST_F(CPictureButtonBarTest, LeavingTheToolsHidesTheTipAndNothingShowsWhenTheMouseLeftOrTheProgramHasNoFocus) {
    RestOn(QPoint(16, 16));
    MoveAway();
    EXPECT_FALSE(m_tips.isVisible());
    QTest::mouseMove(m_bar, QPoint(16, 16));
    MoveAway();
    Fire();
    EXPECT_FALSE(m_tips.isVisible()) << "the mouse left before the delay";
    QTest::mouseMove(m_bar, QPoint(120, 16)); // on the bar, past the tools
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

TEST_F(CPictureButtonBarTest, ASentMessageOrAModalBoxOverTheWindowPutsTheTipAwayAndFreesTheMouse) {
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

TEST(IconsTest, EveryIconIsDrawnAndUnlikeAnyOther) {
    EXPECT_EQ(LoadIconPixmap(IDI_HELP, 48, 24).size(), QSize(48, 24));
    EXPECT_TRUE(LoadIconPixmap(999).isNull());
    std::set<QByteArray> seen;
    for (int id : IconIds()) {
        QImage image = LoadIconPixmap(id).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_TRUE(
            seen.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes())).second)
            << id << " looks like another icon";
        // Something is drawn, and it leaves a transparent margin for the button's frame.
        int opaque = 0;
        for (int i = 0; i < 32 * 32; ++i)
            opaque += qAlpha(image.pixel(i % 32, i / 32)) > 128;
        EXPECT_GT(opaque, 32 * 32 / 8) << id;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << id;
    }
}

} // namespace
