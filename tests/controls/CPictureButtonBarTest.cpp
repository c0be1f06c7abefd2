// Picture-button bars under real mouse events: clicks, lost presses, looks, states, accessibility.
#include "controls/CPictureButtonBar.h"

#include "app/WindowMessages.h"
#include "controls/CTipWindow.h"
#include "controls/WinRect.h"
#include "res/Icons.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

namespace {

constexpr unsigned kFirst = WM_USER + 10, kSecond = WM_HELP, kToggle = WM_DATA_VIEW;

// A parent that records the messages it receives; wParam must repeat the message, lParam be 0.
class MessageSink : public QWidget {
public:
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
    std::vector<unsigned> m_messages;
    std::function<void()> m_onMessage; // e.g. a window that closes on the message
};

// Two push buttons and one toggle button, like the main window's row.
class CPictureButtonBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.setGeometry(40, 40, 300, 120);
        m_bar = new CPictureButtonBar(&m_window);
        m_bar->setGeometry(10, 10, 120, 40);
        m_bar->AddPushButton(RectLTRB(0, 0, 33, 33), 32, 32, IDI_HELP, IDI_HELP_HOT, IDI_HELP, kFirst);
        m_bar->AddPushButton(RectLTRB(34, 0, 67, 33), 32, 32, IDI_SAVE, IDI_SAVE + 1, IDI_SAVE + 2, kSecond);
        m_bar->AddToggleButton(RectLTRB(68, 0, 101, 33), 32, 32, IDI_VIEW_EDITOR, IDI_VIEW_CHOICE, kToggle);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        // The cursor may still rest where the last test left it, over the same button: a move
        // to the same place is no move, so every test starts with the mouse away from the bar.
        MoveAway();
    }

    void MoveAway() { QTest::mouseMove(&m_window, QPoint(250, 100)); }
    QPoint Centre(int index) const { return m_bar->ButtonRect(index).center(); }
    void Click(int index) { QTest::mouseClick(m_bar, Qt::LeftButton, {}, Centre(index)); }

    QImage Shown(int index) const { return m_bar->grab(m_bar->ButtonRect(index)).toImage(); }

    MessageSink m_window;
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
    CTipWindow tips;
    tips.Create(m_bar);
    tips.SetTool("HILFE", RectLTRB(0, 0, 33, 33), 0);
    tips.SetTool("SPEICHERN", RectLTRB(34, 0, 67, 33), 1);
    tips.SetTool("\202BERSICHT", RectLTRB(68, 0, 101, 33), 2);
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
    EXPECT_EQ(seen, QStringList({"HILFE button", "SPEICHERN button disabled",
                                 QString::fromUtf8("ÜBERSICHT button checkable checked")}));
    // The press action clicks an enabled button and leaves a disabled one alone.
    bar->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    bar->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(m_window.m_messages, std::vector<unsigned>{kToggle});
}

} // namespace
