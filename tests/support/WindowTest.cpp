// Helpers of the window tests.
#include "support/WindowTest.h"

#include "app/CCenteredTabCtrl.h"
#include "app/CMainDlg.h"
#include "app/MessageBoxSeam.h"
#include "keyboard/CTranslatingApp.h"
#include "support/FakeKeyboardLayouts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

void OnNextModal(std::function<void(QWidget* modal)> action) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, poll] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            action(modal);
            *poll = nullptr; // ends the chain
            return;
        }
        QTimer::singleShot(5, *poll);
    };
    QTimer::singleShot(0, *poll);
}

void ClickButton(QWidget* button) {
    QPoint where = qobject_cast<QRadioButton*>(button) ? QPoint(6, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, where);
}

QStringList VisibleTexts(const QWidget* window) {
    QStringList texts;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window))
            continue;
        if (auto* label = qobject_cast<const QLabel*>(widget); label && !label->text().isEmpty())
            texts << label->text();
        else if (auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << button->text();
        else if (auto* group = qobject_cast<const QGroupBox*>(widget))
            texts << group->title();
        else if (auto* tabs = qobject_cast<const QTabBar*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        else if (auto* combo = qobject_cast<const QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
    }
    return texts;
}

void ResetKeyboardTranslation() {
    if (auto* app = CTranslatingApp::Instance()) {
        app->ResetKeyboardTranslation();
        app->SetKeyboardLayouts(std::make_unique<FakeKeyboardLayouts>(std::vector<std::string>{"00000409"}));
    }
}

void MainWindowTest::SetUp() {
    MessageBoxSeam::Reset();
    ResetKeyboardTranslation();
}

void MainWindowTest::TearDown() {
    m_main.reset();
    ResetKeyboardTranslation();
    EXPECT_EQ(MessageBoxSeam::Unanswered(), 0) << "a message box was shown that the test did not expect";
    MessageBoxSeam::Reset();
}

void MainWindowTest::OpenMainWindow(bool withProfile) {
    if (withProfile)
        m_temp.InstallDeliveredProfile();
    m_main = std::make_unique<CMainDlg>();
    m_main->show();
}

void MainWindowTest::ClickTab(int index) {
    QTabBar* bar = m_main->TabCtrl()->Bar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}
