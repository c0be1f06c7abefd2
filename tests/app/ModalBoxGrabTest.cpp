// No modal window opens while a control holds the mouse capture, which would take the clicks meant
// for the window's buttons.
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/MessageBoxSeam.h"
#include "controls/CPictureButtonBar.h"
#include "records/CDataPage.h"
#include "support/WindowTest.h"

#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Who held the capture as each modal window opened.
std::vector<QWidget*> g_grabbers;
void NoteGrabber() { g_grabbers.push_back(QWidget::mouseGrabber()); }

struct GrabCase {
    const char* name;
    // Opens a modal window while the mouse rests on the exit button of the bar.
    void (*open)(CMainDlg& main);
};

class ModalBoxGrabTest : public MainWindowTest {};

TEST_F(ModalBoxGrabTest, NoControlHoldsTheCaptureWhenAModalWindowOpens) {
    const GrabCase cases[] = {
        {"the exit button asks about the pending edit",
         [](CMainDlg& main) {
             CPictureButtonBar* bar = main.ButtonBar();
             QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->ButtonRect(CMainDlg::kExit).center());
         }},
        {"Alt+X asks about the pending edit",
         [](CMainDlg& main) { QTest::keyClick(&main, Qt::Key_X, Qt::AltModifier); }},
        {"another modal window opens",
         [](CMainDlg& main) {
             QDialog other(&main);
             OnNextModal([](QWidget* modal) {
                 NoteGrabber();
                 static_cast<QDialog*>(modal)->reject();
             });
             other.exec();
         }},
    };
    for (const GrabCase& c : cases) {
        SCOPED_TRACE(c.name);
        OpenMainWindow();
        g_pDataPage->m_bModified = 1;
        CPictureButtonBar* bar = m_main->ButtonBar();
        // The platform moves the mouse only to a place where it is not already.
        QTest::mouseMove(bar, bar->ButtonRect(CMainDlg::kHelp).center());
        QTest::mouseMove(bar, bar->ButtonRect(CMainDlg::kExit).center());
        ASSERT_EQ(QWidget::mouseGrabber(), bar) << "a hot button captures the mouse";
        g_grabbers.clear();
        MessageBoxSeam::SetInspector([](QDialog&) { NoteGrabber(); });
        MessageBoxSeam::QueueAnswer(IDCANCEL_RESULT);
        c.open(*m_main);
        EXPECT_EQ(g_grabbers, std::vector<QWidget*>{nullptr});
        m_main.reset();
        MessageBoxSeam::Reset();
    }
}

} // namespace
