// Helpers of the window tests: the main window in a fresh home, modal windows
// answered by the test, and the texts a user sees.
#pragma once

#include "support/TempHome.h"

#include <QStringList>

#include <functional>
#include <memory>

class CMainDlg;
class QWidget;

// Runs the action on the next modal window as soon as it is shown (the action
// must close it). Returns at once; the modal window is handled when it opens.
void OnNextModal(std::function<void(QWidget* modal)> action);

// Clicks a button as a user would: a radio button on its mark, others in
// the middle.
void ClickButton(QWidget* button);

// Every text of the visible widgets of a window: labels, buttons, group box
// titles, tab captions, list items.
QStringList VisibleTexts(const QWidget* window);

// The start-up keyboard translation on a US system layout, for which it stands
// aside: what a test posts or activates must not reach the next test.
void ResetKeyboardTranslation();

// A fixture with the main window built in a fresh home. The message-box seam
// starts empty for each test and must end with every box answered.
class MainWindowTest : public TempHomeTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds and shows the main window; with the delivered profile unless told
    // otherwise.
    void OpenMainWindow(bool withProfile = true);

    // Clicks the tab of the given index as a user would.
    void ClickTab(int index);

    std::unique_ptr<CMainDlg> m_main;
};
