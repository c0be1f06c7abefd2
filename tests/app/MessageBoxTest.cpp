// The program's own message boxes, run for real and through the test seam.
#include "app/CMessageBoxDlg.h"
#include "app/MessageBoxSeam.h"
#include "controls/PcString.h"
#include "res/DialogTemplates.h"
#include "support/WindowTest.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

struct BoxLook {
    QString caption, message;
    bool okCentred = false, cancelVisible = false, thirdVisible = false, closeButton = true;
};

// Runs a box modally for real; the user's action is done on the shown box.
int RunBox(CMessageBoxDlg& box, BoxLook& look, std::function<void(QWidget*)> userAction) {
    MessageBoxSeam::Deactivate();
    OnNextModal([&look, userAction](QWidget* modal) {
        auto* ok = modal->findChild<QPushButton*>("1");
        look = {modal->windowTitle(),
                modal->findChild<QLabel*>("1102")->text(),
                ok->isVisible() && ok->x() == modal->width() / 2 - ok->width() / 2,
                modal->findChild<QPushButton*>("2")->isVisible(),
                modal->findChild<QPushButton*>("3")->isVisible(),
                modal->windowFlags().testFlag(Qt::WindowCloseButtonHint)};
        userAction(modal);
    });
    int result = box.DoModal();
    MessageBoxSeam::Activate();
    return result;
}

void Click(QWidget* box, const char* id) { QTest::mouseClick(box->findChild<QPushButton*>(id), Qt::LeftButton); }

// Without a Cancel text only OK shows, centred; with one, the user's answer comes back. Neither
// box can be closed from its frame.
TEST(MessageBoxTest, TheBoxShowsItsButtonsAndTheUsersAnswerComesBack) {
    const std::tuple<const char*, const char*, std::function<void(QWidget*)>, int> cases[] = {
        {"OK alone", "", [](QWidget* box) { Click(box, "1"); }, IDOK_RESULT},
        {"Cancel clicked", "Nein", [](QWidget* box) { Click(box, "2"); }, IDCANCEL_RESULT},
        {"Enter presses OK", "Nein", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }, IDOK_RESULT},
        {"a closing request is refused, Escape is Cancel", "Nein",
         [](QWidget* box) {
             box->close();
             EXPECT_TRUE(box->isVisible());
             QTest::keyClick(box, Qt::Key_Escape);
         },
         IDCANCEL_RESULT},
        // Enter as a keyboard emulation hands it over: its character alone.
        {"Enter presses the focused button", "Nein",
         [](QWidget* box) {
             box->findChild<QPushButton*>("2")->setFocus();
             QKeyEvent enter(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "\r");
             QApplication::sendEvent(box->focusWidget(), &enter);
         },
         IDCANCEL_RESULT},
    };
    for (const auto& [name, cancel, action, result] : cases) {
        SCOPED_TRACE(name);
        const bool withCancel = *cancel != 0;
        PrepareMessageBox(withCancel ? IDI_QUESTION : IDI_HAND, "OK", cancel, "Die Schnittstelle fehlt.");
        BoxLook look;
        EXPECT_EQ(RunBox(withCancel ? g_msgBoxLarge : g_msgBox, look, action), result);
        EXPECT_EQ(look.okCentred, !withCancel);
        EXPECT_EQ(look.cancelVisible, withCancel);
        EXPECT_FALSE(look.thirdVisible);
        EXPECT_EQ(look.caption, "KL840T Link");
        EXPECT_FALSE(look.closeButton);
        EXPECT_EQ(look.message, "Die Schnittstelle fehlt.");
    }
}

TEST(MessageBoxTest, TheBoxShowsThePreviousMessageUntilPreparedAgain) {
    MessageBoxSeam::Reset();
    PrepareMessageBox(IDI_HAND, "OK", "", "\xCE\xD8\xC8\xC1\xCA\xC0");
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    EXPECT_EQ(g_msgBox.DoModal(), IDOK_RESULT);
    EXPECT_EQ(g_msgBoxLarge.DoModal(), IDOK_RESULT);
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 2u);
    for (const ShownMessageBox& shown : MessageBoxSeam::Shown()) {
        EXPECT_EQ(PcToQString(shown.message), QString::fromUtf8("ОШИБКА"));
        EXPECT_TRUE(shown.okCentred);
    }
    EXPECT_EQ(MessageBoxSeam::Shown()[1].templateId, IDD_MESSAGEBOX_LARGE);
    MessageBoxSeam::Reset();
}

} // namespace
