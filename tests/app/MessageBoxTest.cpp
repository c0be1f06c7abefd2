// The program's own message boxes, run for real and through the test seam.
#include "app/CMessageBoxDlg.h"
#include "app/DialogBuilder.h"
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

#include <gtest/gtest.h>

namespace {

struct BoxLook {
    QString caption;
    bool okVisible = false, cancelVisible = false, thirdVisible = false, closeButton = true;
    QRect ok, cancel;
    int width = 0;
    QString message;
};

BoxLook LookAt(QWidget* box) {
    BoxLook look;
    auto* ok = box->findChild<QPushButton*>("1");
    auto* cancel = box->findChild<QPushButton*>("2");
    look.caption = box->windowTitle();
    look.okVisible = ok->isVisible();
    look.cancelVisible = cancel->isVisible();
    look.thirdVisible = box->findChild<QPushButton*>("3")->isVisible();
    look.closeButton = box->windowFlags().testFlag(Qt::WindowCloseButtonHint);
    look.ok = ok->geometry();
    look.cancel = cancel->geometry();
    look.width = box->width();
    look.message = box->findChild<QLabel*>("1102")->text();
    return look;
}

// Runs a box modally for real; the user's action is done on the shown box.
int RunBox(CMessageBoxDlg& box, BoxLook& look, std::function<void(QWidget*)> userAction) {
    MessageBoxSeam::Deactivate();
    OnNextModal([&look, userAction](QWidget* modal) {
        look = LookAt(modal);
        userAction(modal);
    });
    int result = box.DoModal();
    MessageBoxSeam::Activate();
    return result;
}

void Click(QWidget* box, const char* id) { QTest::mouseClick(box->findChild<QPushButton*>(id), Qt::LeftButton); }

TEST(MessageBoxTest, WithoutCancelOnlyOkShowsCentredAndAnswersOk) {
    PrepareMessageBox(IDI_HAND, "OK", "", "Die Schnittstelle fehlt.");
    BoxLook look;
    EXPECT_EQ(RunBox(g_msgBox, look, [](QWidget* box) { Click(box, "1"); }), IDOK_RESULT);
    EXPECT_TRUE(look.okVisible);
    EXPECT_FALSE(look.cancelVisible);
    EXPECT_FALSE(look.thirdVisible);
    EXPECT_EQ(look.ok.x(), look.width / 2 - look.ok.width() / 2);
    EXPECT_EQ(look.caption, "KL840T Link");
    EXPECT_FALSE(look.closeButton);
    EXPECT_EQ(look.message, "Die Schnittstelle fehlt.");
}

TEST(MessageBoxTest, WithCancelBothButtonsKeepTheirPlacesAndCancelAnswersCancel) {
    PrepareMessageBox(IDI_QUESTION, "Ja", "Nein", "Speichern?");
    BoxLook look;
    EXPECT_EQ(RunBox(g_msgBox, look, [](QWidget* box) { Click(box, "2"); }), IDCANCEL_RESULT);
    EXPECT_TRUE(look.cancelVisible);
    EXPECT_FALSE(look.thirdVisible);
    EXPECT_EQ(look.ok.topLeft(), DialogUnitsToPixels(72, 36, 50, 14).topLeft());
    EXPECT_EQ(look.cancel.topLeft(), DialogUnitsToPixels(126, 36, 50, 14).topLeft());
}

TEST(MessageBoxTest, EscapeAnswersCancelAndAClosingRequestIsRefused) {
    PrepareMessageBox(IDI_ASTERISK, "OK", "Abbrechen", "Bereit?");
    BoxLook look;
    bool stillOpenAfterClose = false;
    int result = RunBox(g_msgBoxLarge, look, [&](QWidget* box) {
        box->close();
        stillOpenAfterClose = box->isVisible();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_TRUE(stillOpenAfterClose);
    EXPECT_EQ(result, IDCANCEL_RESULT);
    EXPECT_EQ(look.ok.topLeft(), DialogUnitsToPixels(79, 97, 50, 14).topLeft());
}

TEST(MessageBoxTest, EnterPressesTheFocusedButtonOrOk) {
    PrepareMessageBox(IDI_QUESTION, "Ja", "Nein", "Speichern?");
    BoxLook look;
    EXPECT_EQ(RunBox(g_msgBox, look, [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }), IDOK_RESULT);
    EXPECT_EQ(RunBox(g_msgBox, look,
                     [](QWidget* box) {
                         // Enter as a keyboard emulation hands it over: its character alone.
                         box->findChild<QPushButton*>("2")->setFocus();
                         QKeyEvent enter(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "\r");
                         QApplication::sendEvent(box->focusWidget(), &enter);
                     }),
              IDCANCEL_RESULT);
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
        EXPECT_EQ(shown.icon, IDI_HAND);
        EXPECT_TRUE(shown.okCentred);
        EXPECT_FALSE(shown.closable);
        EXPECT_EQ(shown.caption, "KL840T Link");
    }
    EXPECT_EQ(MessageBoxSeam::Shown()[1].templateId, IDD_MESSAGEBOX_LARGE);
    MessageBoxSeam::Reset();
}

} // namespace
