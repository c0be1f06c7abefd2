// Picture-button bars under real mouse events: clicks, lost presses, looks, states, accessibility.
#include "controls/CPictureButtonBar.h"

#include "controls/CTipWindow.h"
#include "controls/WinRect.h"
#include "res/Icons.h"
#include "MessageSink.h"

#include <QAccessible>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr unsigned kFirst = WM_USER + 10;
constexpr unsigned kSecond = WM_HELP;
constexpr unsigned kToggle = WM_DATA_VIEW;

// A window with a bar of two push buttons and one toggle button, like the main window's row.
class CPictureButtonBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window = std::make_unique<MessageSink>();
        m_window->resize(300, 120);
        m_window->move(40, 40);
        m_bar = new CPictureButtonBar(m_window.get());
        m_bar->setGeometry(10, 10, 120, 40);
        m_bar->AddPushButton(RectLTRB(0, 0, 33, 33), 32, 32, IDI_HELP, IDI_HELP_HOT, IDI_HELP, kFirst);
        m_bar->AddPushButton(RectLTRB(34, 0, 67, 33), 32, 32, IDI_SAVE, IDI_SAVE + 1, IDI_SAVE + 2, kSecond);
        m_bar->AddToggleButton(RectLTRB(68, 0, 101, 33), 32, 32, IDI_VIEW_EDITOR, IDI_VIEW_CHOICE, kToggle);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    QPoint Centre(int index) const { return m_bar->ButtonRect(index).center(); }

    void Click(int index) {
        QTest::mousePress(m_bar, Qt::LeftButton, {}, Centre(index));
        QTest::mouseRelease(m_bar, Qt::LeftButton, {}, Centre(index));
    }

    // What the bar must show in a button's square: the icon on the button face, shifted while
    // pressed, framed while hot.
    QImage ExpectedSquare(int iconId, bool hot, bool pressed) const {
        QImage image(33, 33, QImage::Format_RGB32);
        image.fill(m_bar->palette().color(QPalette::Button));
        QPainter painter(&image);
        painter.drawPixmap(pressed ? QPoint(1, 1) : QPoint(0, 0), LoadIconPixmap(iconId));
        if (hot) {
            QColor light = m_bar->palette().color(QPalette::Light);
            QColor dark = m_bar->palette().color(QPalette::Shadow);
            QColor topLeft = pressed ? dark : light;
            QColor bottomRight = pressed ? light : dark;
            painter.fillRect(0, 0, 33, 1, topLeft);
            painter.fillRect(0, 0, 1, 33, topLeft);
            painter.fillRect(0, 32, 33, 1, bottomRight);
            painter.fillRect(32, 0, 1, 33, bottomRight);
        }
        return image;
    }

    QImage ShownSquare(int index) const {
        return m_bar->grab(m_bar->ButtonRect(index)).toImage().convertToFormat(QImage::Format_RGB32);
    }

    std::unique_ptr<MessageSink> m_window;
    CPictureButtonBar* m_bar = nullptr;
};

TEST_F(CPictureButtonBarTest, ClickSendsTheButtonsMessageOnceToTheParent) {
    Click(0);
    ASSERT_EQ(m_window->m_received.size(), 1u);
    EXPECT_EQ(m_window->m_received[0].message, kFirst);
    EXPECT_EQ(m_window->m_received[0].wParam, kFirst);
    EXPECT_EQ(m_window->m_received[0].lParam, 0);
    Click(1);
    Click(2);
    EXPECT_EQ(m_window->Messages(), (std::vector<unsigned>{kFirst, kSecond, kToggle}));
}

TEST_F(CPictureButtonBarTest, NothingIsSentOnPressOrWithoutAPress) {
    QTest::mousePress(m_bar, Qt::LeftButton, {}, Centre(0));
    EXPECT_TRUE(m_window->m_received.empty()) << "the message goes on release";
    EXPECT_TRUE(m_bar->IsButtonPressed(0));
    QTest::mouseRelease(m_bar, Qt::LeftButton, {}, Centre(0));
    // A release between the buttons, or a press with another mouse button.
    QTest::mousePress(m_bar, Qt::LeftButton, {}, QPoint(33, 10));
    QTest::mouseRelease(m_bar, Qt::LeftButton, {}, QPoint(33, 10));
    QTest::mousePress(m_bar, Qt::RightButton, {}, Centre(1));
    QTest::mouseRelease(m_bar, Qt::RightButton, {}, Centre(1));
    EXPECT_EQ(m_window->Messages(), std::vector<unsigned>{kFirst});
}

TEST_F(CPictureButtonBarTest, PressDraggedOffIsLostEvenWhenDraggedBack) {
    struct Drag {
        const char* name;
        std::vector<QPoint> moves;
    };
    const Drag drags[] = {
        {"off to the neighbour", {Centre(1)}},
        {"off the bar", {QPoint(-20, 60)}},
        {"off and back", {QPoint(-20, 60), Centre(0)}},
        {"to the edge just outside", {QPoint(33, 16), Centre(0)}},
    };
    for (const auto& drag : drags) {
        SCOPED_TRACE(drag.name);
        QTest::mousePress(m_bar, Qt::LeftButton, {}, Centre(0));
        for (QPoint point : drag.moves)
            QTest::mouseMove(m_bar, point);
        EXPECT_FALSE(m_bar->IsButtonPressed(0));
        QTest::mouseRelease(m_bar, Qt::LeftButton, {}, drag.moves.back());
        EXPECT_TRUE(m_window->m_received.empty());
    }
    // Moving within the button keeps the press.
    QTest::mousePress(m_bar, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(m_bar, QPoint(30, 30));
    QTest::mouseRelease(m_bar, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(m_window->Messages(), std::vector<unsigned>{kFirst});
}

TEST_F(CPictureButtonBarTest, DisabledButtonIgnoresClicksAndShowsItsDisabledLook) {
    ASSERT_TRUE(m_bar->SetButtonDisabled(1, true));
    Click(1);
    EXPECT_TRUE(m_window->m_received.empty());
    EXPECT_FALSE(m_bar->IsButtonHot(1));
    EXPECT_EQ(ShownSquare(1), ExpectedSquare(IDI_SAVE + 2, false, false));
    ASSERT_TRUE(m_bar->SetButtonDisabled(1, false));
    Click(1);
    EXPECT_EQ(m_window->Messages(), std::vector<unsigned>{kSecond});
}

TEST_F(CPictureButtonBarTest, SettersAnswerWhetherTheButtonAndStateExist) {
    struct Case {
        const char* name;
        bool result;
        bool expected;
    };
    const Case cases[] = {
        {"state 1 of a toggle", m_bar->SetButtonState(2, 1), true},
        {"state 0 of a toggle", m_bar->SetButtonState(2, 0), true},
        {"state count of a toggle", m_bar->SetButtonState(2, 2), false},
        {"state count of a push button", m_bar->SetButtonState(0, 1), false},
        {"state 0 of a push button", m_bar->SetButtonState(0, 0), true},
        {"negative state", m_bar->SetButtonState(2, -1), false},
        {"state of a missing button", m_bar->SetButtonState(3, 0), false},
        {"disable a missing button", m_bar->SetButtonDisabled(3, true), false},
        {"disable a negative index", m_bar->SetButtonDisabled(-1, true), false},
        {"disable the last button", m_bar->SetButtonDisabled(2, false), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.name;
    m_bar->SetButtonState(2, 1);
    EXPECT_FALSE(m_bar->SetButtonState(2, 2));
    EXPECT_EQ(m_bar->ButtonState(2), 1) << "a refused state changes nothing";
}

TEST_F(CPictureButtonBarTest, LooksFollowHotPressedAndState) {
    EXPECT_EQ(ShownSquare(0), ExpectedSquare(IDI_HELP, false, false));
    QTest::mouseMove(m_bar, Centre(0));
    ASSERT_TRUE(m_bar->IsButtonHot(0));
    EXPECT_EQ(ShownSquare(0), ExpectedSquare(IDI_HELP_HOT, true, false)) << "hot: raised frame";
    QTest::mousePress(m_bar, Qt::LeftButton, {}, Centre(0));
    EXPECT_EQ(ShownSquare(0), ExpectedSquare(IDI_HELP_HOT, true, true)) << "pressed: sunken, one pixel on";
    QTest::mouseRelease(m_bar, Qt::LeftButton, {}, Centre(0));
    EXPECT_EQ(ShownSquare(0), ExpectedSquare(IDI_HELP_HOT, true, false));

    EXPECT_EQ(ShownSquare(2), ExpectedSquare(IDI_VIEW_EDITOR, false, false));
    m_bar->SetButtonState(2, 1);
    EXPECT_EQ(ShownSquare(2), ExpectedSquare(IDI_VIEW_CHOICE, false, false));
    m_bar->SetButtonDisabled(2, true);
    EXPECT_EQ(ShownSquare(2), ExpectedSquare(IDI_VIEW_CHOICE + 2, false, false));
}

TEST_F(CPictureButtonBarTest, HotButtonHoldsTheMouseUntilTheMouseLeavesIt) {
    QTest::mouseMove(m_bar, Centre(1));
    EXPECT_TRUE(m_bar->IsButtonHot(1));
    EXPECT_EQ(QWidget::mouseGrabber(), m_bar);
    // Outside the bar, inside the window: the bar still hears of it and lets go.
    QTest::mouseMove(m_window.get(), QPoint(250, 100));
    EXPECT_FALSE(m_bar->IsButtonHot(1));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(CPictureButtonBarTest, ButtonDisabledUnderTheMouseStaysHotUntilTheNextMove) {
    QTest::mouseMove(m_bar, Centre(0));
    m_bar->SetButtonDisabled(0, true);
    EXPECT_TRUE(m_bar->IsButtonHot(0));
    EXPECT_EQ(ShownSquare(0), ExpectedSquare(IDI_HELP_HOT, true, false));
    QTest::mouseMove(m_bar, Centre(0) + QPoint(1, 0));
    EXPECT_FALSE(m_bar->IsButtonHot(0));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(CPictureButtonBarTest, ParentClosingOnTheMessageDoesNotTrouble) {
    class Closer : public QWidget {
    public:
        bool event(QEvent* event) override {
            if (CMessageEvent::From(event)) {
                delete findChild<CPictureButtonBar*>();
                return true;
            }
            return QWidget::event(event);
        }
    } closer;
    auto* bar = new CPictureButtonBar(&closer);
    bar->setGeometry(0, 0, 40, 40);
    bar->AddPushButton(RectLTRB(0, 0, 33, 33), 32, 32, IDI_EXIT, IDI_EXIT_HOT, IDI_EXIT, WM_CLOSE);
    closer.show();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(closer.findChild<CPictureButtonBar*>(), nullptr);
}

TEST_F(CPictureButtonBarTest, TakesOverAPlaceholderInItsPlace) {
    struct Case {
        const char* name;
        bool dialogShown;
        bool placeholderHidden;
        bool barVisible;
    };
    const Case cases[] = {
        {"dialog being built", false, false, true},
        {"dialog showing", true, false, true},
        {"placeholder hidden on purpose", false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget dialog;
        auto* before = new QLabel(&dialog);
        auto* placeholder = new QLabel(&dialog);
        auto* after = new QLabel(&dialog);
        placeholder->setObjectName("1078");
        placeholder->setGeometry(5, 60, 170, 34);
        if (c.placeholderHidden)
            placeholder->hide();
        if (c.dialogShown)
            dialog.show();
        QPointer<QLabel> watch(placeholder);
        CPictureButtonBar* bar = CPictureButtonBar::TakeOver(placeholder);
        ASSERT_NE(bar, nullptr);
        dialog.show();
        EXPECT_TRUE(watch.isNull());
        EXPECT_EQ(bar->parentWidget(), &dialog);
        EXPECT_EQ(bar->geometry(), QRect(5, 60, 170, 34));
        EXPECT_EQ(dialog.findChild<QWidget*>("1078"), bar);
        EXPECT_EQ(bar->isVisible(), c.barVisible);
        const auto children = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        EXPECT_EQ(children, (QList<QWidget*>{before, bar, after})) << "same place in the stacking order";
    }
    EXPECT_EQ(CPictureButtonBar::TakeOver(nullptr), nullptr);
}

TEST_F(CPictureButtonBarTest, EachButtonIsAnAccessiblePushButtonNamedByItsTip) {
    CTipWindow tips;
    tips.Create(m_bar);
    tips.SetTool("HILFE", RectLTRB(0, 0, 33, 33), 0);
    tips.SetTool("SPEICHERN", RectLTRB(34, 0, 67, 33), 1);
    tips.SetTool("\x82"
                 "BERSICHT",
                 RectLTRB(68, 0, 101, 33), 2);
    m_bar->SetButtonDisabled(1, true);
    m_bar->SetButtonState(2, 1);

    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(m_bar);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->childCount(), 3);
    struct Expected {
        QString name;
        bool disabled;
        bool checkable;
        bool checked;
    };
    const Expected expected[] = {{"HILFE", false, false, false},
                                 {"SPEICHERN", true, false, false},
                                 {QString::fromUtf8("ÜBERSICHT"), false, true, true}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        QAccessibleInterface* button = bar->child(i);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->role(), QAccessible::Button);
        EXPECT_EQ(button->text(QAccessible::Name), expected[i].name);
        EXPECT_EQ(bool(button->state().disabled), expected[i].disabled);
        EXPECT_EQ(bool(button->state().checkable), expected[i].checkable);
        EXPECT_EQ(bool(button->state().checked), expected[i].checked);
        EXPECT_EQ(button->parent(), bar);
        EXPECT_EQ(bar->indexOfChild(button), i);
        EXPECT_EQ(bar->childAt(button->rect().center().x(), button->rect().center().y()), button);
    }
    QTest::mousePress(m_bar, Qt::LeftButton, {}, Centre(0));
    EXPECT_TRUE(bar->child(0)->state().pressed);
    QTest::mouseRelease(m_bar, Qt::LeftButton, {}, Centre(0));
    EXPECT_FALSE(bar->child(0)->state().pressed);

    // The press action clicks an enabled button and leaves a disabled one alone.
    bar->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    bar->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(m_window->Messages(), (std::vector<unsigned>{kFirst, kToggle}));
}

TEST_F(CPictureButtonBarTest, AMovedButtonCentresItsIconAndADisabledBarShowsEveryButtonDisabled) {
    const QRect moved(68, 0, 41, 39);
    auto shown = [&] { return m_bar->grab(moved).toImage().convertToFormat(QImage::Format_RGB32); };
    auto expected = [&](int iconId) {
        QImage image(moved.size(), QImage::Format_RGB32);
        image.fill(m_bar->palette().color(QPalette::Button));
        QPainter(&image).drawPixmap(QPoint(4, 3), LoadIconPixmap(iconId));
        return image;
    };
    m_bar->SetButtonRect(2, moved);
    EXPECT_EQ(shown(), expected(IDI_VIEW_EDITOR));
    Click(2);
    EXPECT_EQ(m_window->Messages(), std::vector<unsigned>{kToggle});

    m_bar->setEnabled(false);
    EXPECT_EQ(shown(), expected(IDI_VIEW_EDITOR + kIconLookDisabled));
    EXPECT_EQ(ShownSquare(1), ExpectedSquare(IDI_SAVE + kIconLookDisabled, false, false));
    Click(2);
    EXPECT_EQ(m_window->Messages(), std::vector<unsigned>{kToggle});
}

} // namespace
