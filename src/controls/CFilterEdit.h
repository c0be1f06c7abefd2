// The multi-line edit of the record fields: keeps only what a record field may hold.
#pragma once

#include <QPlainTextEdit>

#include <string>
#include <string_view>

// Typed and pasted characters are turned into bytes by the code page of the keyboard side in
// force (1252 on the Latin side, 1251 on the Cyrillic side) and filtered: lower case becomes
// upper case, on the Latin side accents are folded away except the umlauts and ß, and what
// cannot be held is dropped. The clipboard is never changed by a paste. The text is PC text,
// with CR LF between lines, shown through the program's one display map.
class CFilterEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CFilterEdit(QWidget* parent = nullptr);

    // The field rule for one byte on the keyboard side now in force (g_bLatinKeyboard).
    static bool FilterChar(char& c);

    std::string GetText() const;
    // Text set by the program: no TextEdited, and not held to the limit.
    void SetText(std::string_view pc);

    // The most characters the user may bring into the field, a line break counting as two (CR LF),
    // as the handheld stores them; 0 for no limit. What would overflow is cut off or not taken.
    void SetLimitText(int limit);
    int GetLimitText() const { return m_nLimit; }
    // A line break typed where the dialog lets one through (Ctrl+Enter): the field itself never
    // decides what Enter means.
    void InsertLineBreak();

signals:
    // The user changed the text: typing, pasting, deleting, the edit's own undo.
    void TextEdited();
    void FocusGained();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    Q_DISABLE_COPY(CFilterEdit)

    // Typed or pasted text as it enters the field, in display form.
    static QString Filtered(const QString& typed);
    // As much of the display text as fits the limit in place of the selection.
    QString Fitted(const QString& text) const;

    int m_nLimit = 0;
    bool m_bSettingText = false;
};
