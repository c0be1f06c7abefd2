// The program's own message boxes: a small one for messages and questions and
// a large one for the instructions before a transfer.
#pragma once

#include <QFont>

#include <array>
#include <string>

// Stock icons of the boxes.
inline constexpr int IDI_HAND = 32513;     // failure
inline constexpr int IDI_QUESTION = 32514; // question
inline constexpr int IDI_ASTERISK = 32516; // information or prompt

// Results of a box.
inline constexpr int IDOK_RESULT = 1;
inline constexpr int IDCANCEL_RESULT = 2;

// What the next box shows; both boxes share it, and it keeps the last prepared
// values until the next preparation.
struct MessageBoxParams {
    QFont font;
    int icon = IDI_ASTERISK;
    // [0] caption, [1] OK text, [2] Cancel text (empty: no Cancel button),
    // [3] message, [4] third button (empty: none). PC character set.
    std::array<std::string, 5> texts;
};

extern MessageBoxParams g_msgBoxParams;

// Fills the parameters for the next box. The texts are looked up by the caller.
void PrepareMessageBox(int icon, std::string okText, std::string cancelText, std::string message);

// Called before any modal box opens: a control that still holds the mouse capture would take the
// clicks meant for the box's buttons, and the box could be answered by the keyboard only.
void ReleaseMouseCapture();

// A box: the object lives for the whole run; each DoModal() makes its window
// from the template, runs it and destroys it.
class CMessageBoxDlg {
public:
    explicit CMessageBoxDlg(int templateId) : m_nTemplate(templateId) {}
    CMessageBoxDlg(const CMessageBoxDlg&) = delete;
    CMessageBoxDlg& operator=(const CMessageBoxDlg&) = delete;

    // IDOK_RESULT for the OK button, IDCANCEL_RESULT for Cancel or Escape.
    int DoModal();

    int TemplateId() const { return m_nTemplate; }

private:
    int m_nTemplate;
};

extern CMessageBoxDlg g_msgBox;      // template 180
extern CMessageBoxDlg g_msgBoxLarge; // template 205
