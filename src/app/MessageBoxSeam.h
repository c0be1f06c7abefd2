// The message boxes' seam for tests: what each box showed, and answers given
// in advance so that no test waits on a modal box.
#pragma once

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QDialog;

struct ShownMessageBox {
    int templateId = 0;
    int icon = 0;
    QString caption;
    std::string message; // PC character set
    std::string okText;
    std::string cancelText; // empty when the Cancel button is hidden
    bool okCentred = false; // OK moved to the middle because there is no Cancel
    bool thirdButtonVisible = false;
    bool closable = true; // the title bar offers a close button
};

class MessageBoxSeam {
public:
    // From now on a box does not run: it is built, recorded and answered from
    // the queue (IDCANCEL when the queue is empty, counted as unanswered).
    static void Activate();
    static void Deactivate();
    static bool IsActive();

    static void QueueAnswer(int result);
    static const std::vector<ShownMessageBox>& Shown();
    static int Unanswered();
    static void Reset(); // forgets the shown boxes, the queue and the count

    // Called with each built box before it is recorded (tests look at it).
    static void SetInspector(std::function<void(QDialog&)> inspector);

    // Used by the boxes themselves.
    static int Answer(QDialog& box, const ShownMessageBox& shown);
};
