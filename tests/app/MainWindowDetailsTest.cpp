// Details of the main window that a user of the mouse, the keyboard or a screen reader meets: the
// names of the picture buttons, Enter in the About box, the tabs under the wheel and their widths,
// the legend of the on-screen keyboard's face key.
#include "app/CCenteredTabCtrl.h"
#include "app/CMainDlg.h"
#include "app/Profile.h"
#include "app/WindowMessages.h"
#include "controls/CPictureButtonBar.h"
#include "controls/PcString.h"
#include "keyboard/KeyboardFaces.h"
#include "link/CExchangePage.h"
#include "records/CDataPage.h"
#include "support/WindowTest.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

class MainWindowDetailsTest : public MainWindowTest {};

// The names a screen reader reads for the buttons of a bar, and the texts of keys, joined by "|".
std::string AccessibleNames(CPictureButtonBar* bar) {
    QStringList names;
    QAccessibleInterface* buttons = QAccessible::queryAccessibleInterface(bar);
    for (int i = 0; i < buttons->childCount(); ++i)
        names << buttons->child(i)->text(QAccessible::Name);
    return names.join('|').toStdString();
}

std::string Texts(std::initializer_list<const char*> keys) {
    QStringList texts;
    for (const char* key : keys)
        texts << PcToQString(LookupText(kGermanSection, key));
    return texts.join('|').toStdString();
}

TEST_F(MainWindowDetailsTest, EveryPictureButtonIsNamedByItsTip) {
    OpenMainWindow();
    EXPECT_EQ(AccessibleNames(m_main->ButtonBar()), Texts({"52", "26", "27", "28", "29"}));
    EXPECT_EQ(AccessibleNames(g_pDataPage->CommandBar()), Texts({"73", "74", "75", "76", "77"}));
    EXPECT_EQ(AccessibleNames(g_pDataPage->LockBar()), Texts({"30"}));
}

TEST_F(MainWindowDetailsTest, EnterClosesTheAboutBox) {
    OpenMainWindow();
    bool leftOpen = false;
    OnNextModal([&leftOpen](QWidget* modal) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == modal ? focus : modal, Qt::Key_Return);
        leftOpen = modal->isVisible();
        if (leftOpen)
            static_cast<QDialog*>(modal)->reject();
    });
    SendMessage(m_main.get(), WM_ABOUT_BOX);
    EXPECT_FALSE(leftOpen);
}

TEST_F(MainWindowDetailsTest, TheTabsAreOfEqualWidthAndTheWheelLeavesThem) {
    OpenMainWindow();
    CCenteredTabBar* tabs = m_main->TabCtrl()->Bar();
    for (int i = 1; i < tabs->count(); ++i)
        EXPECT_EQ(tabs->tabRect(i).width(), tabs->tabRect(0).width()) << tabs->tabText(i).toStdString();
    const QPoint over = tabs->tabRect(0).center();
    QWheelEvent wheel(over, tabs->mapToGlobal(over), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &wheel);
    EXPECT_EQ(m_main->TabCtrl()->GetCurSel(), 0);
    EXPECT_TRUE(g_pExchangePage->isVisible());
}

TEST_F(MainWindowDetailsTest, TheFaceKeyLegendSpansItsKey) {
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
