// What a user of the mouse, the keyboard or a screen reader meets around the main window: message
// boxes that take clicks, picture buttons with names, the tabs under the wheel and their widths,
// the face key's legend.
#include "app/CCenteredTabCtrl.h"
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/MessageBoxSeam.h"
#include "controls/CPictureButtonBar.h"
#include "keyboard/KeyboardFaces.h"
#include "records/CDataPage.h"
#include "support/WindowTest.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// A click on the exit button asks through the same box as Alt+X; the bar's own release when any
// modal window blocks it is the bar's test.
TEST_F(MainWindowTest, NoControlHoldsTheCaptureWhenAMessageBoxOpens) {
    OpenMainWindow();
    g_pDataPage->m_bModified = 1; // closing asks about it
    // The mouse rests on the exit button, which captures it (the platform moves the mouse only
    // to where it is not).
    CPictureButtonBar* bar = m_main->ButtonBar();
    QTest::mouseMove(bar, bar->ButtonRect(CMainDlg::kHelp).center());
    QTest::mouseMove(bar, bar->ButtonRect(CMainDlg::kExit).center());
    ASSERT_EQ(QWidget::mouseGrabber(), bar);
    std::vector<QWidget*> grabbers; // who held the capture as the box opened
    MessageBoxSeam::SetInspector([&grabbers](QDialog&) { grabbers.push_back(QWidget::mouseGrabber()); });
    MessageBoxSeam::QueueAnswer(IDCANCEL_RESULT);
    QTest::keyClick(m_main.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(grabbers, std::vector<QWidget*>{nullptr});
    MessageBoxSeam::Reset();
}

TEST_F(MainWindowTest, TheDataPagePictureButtonsHaveNamesFromTheStart) {
    OpenMainWindow();
    for (CPictureButtonBar* bar : {g_pDataPage->CommandBar(), g_pDataPage->LockBar()}) {
        QAccessibleInterface* buttons = QAccessible::queryAccessibleInterface(bar);
        ASSERT_GT(buttons->childCount(), 0);
        for (int i = 0; i < buttons->childCount(); ++i)
            EXPECT_FALSE(buttons->child(i)->text(QAccessible::Name).isEmpty()) << i;
    }
}

TEST_F(MainWindowTest, TheTabsAreOfEqualWidthAndTheWheelLeavesThem) {
    OpenMainWindow();
    CCenteredTabBar* tabs = m_main->TabCtrl()->Bar();
    for (int i = 1; i < tabs->count(); ++i)
        EXPECT_EQ(tabs->tabRect(i).width(), tabs->tabRect(0).width());
    const QPoint over = tabs->tabRect(0).center();
    QWheelEvent wheel(over, tabs->mapToGlobal(over), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &wheel);
    EXPECT_EQ(m_main->TabCtrl()->GetCurSel(), 0);
}

TEST(KeyboardFaces, TheFaceKeyLegendSpansItsKey) {
    const QImage face = PaintKeyboardFace(KeyboardTable::Latin, false).toImage();
    const KeyRect key = KeyRects(4, 0).front();
    QRect legend; // the dark pixels inside the key's frame
    for (int y = key.y + 1; y < key.y + key.height - 1; ++y)
        for (int x = key.x + 1; x < key.x + key.width - 1; ++x)
            if (qGray(face.pixel(x, y)) < 128)
                legend |= QRect(x, y, 1, 1);
    EXPECT_GE(legend.width(), key.width / 2);
    EXPECT_GE(legend.height(), 5);
}

} // namespace
