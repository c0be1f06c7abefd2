// The multi-line edit of the record fields: keeps only what a record field may hold.
#include "controls/CFilterEdit.h"

#include "controls/PcString.h"
#include "keyboard/FilterChar.h"
#include "keyboard/KeyboardSide.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocumentFragment>

namespace {

// Keys that edit or command rather than type: their text (if any) is a control character, or
// a shortcut is held. The edit handles these itself, as it never saw them as characters.
bool IsTypedText(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7F)
        return false;
    const auto modifiers = event->modifiers();
    if (modifiers & Qt::MetaModifier)
        return false;
    // Control with Alt is the right-Alt layer on some systems: that types.
    return !(modifiers & Qt::ControlModifier) || (modifiers & Qt::AltModifier);
}

bool IsEnter(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }

// Characters as the handheld counts them: a line break is CR LF.
int PcLength(const QString& display) { return static_cast<int>(display.size() + display.count(QLatin1Char('\n'))); }

} // namespace

CFilterEdit::CFilterEdit(QWidget* parent) : QPlainTextEdit(parent) {
    // In a dialog, Tab moves on to the next control.
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_bSettingText)
            emit TextEdited();
    });
}

void CFilterEdit::SetLimitText(int limit) { m_nLimit = limit > 0 ? limit : 0; }

QString CFilterEdit::Fitted(const QString& text) const {
    if (m_nLimit == 0)
        return text;
    const int kept = PcLength(toPlainText()) - PcLength(textCursor().selection().toPlainText());
    int room = m_nLimit - kept;
    QString fitted;
    for (QChar ch : text) {
        room -= ch == QLatin1Char('\n') ? 2 : 1;
        if (room < 0)
            break;
        fitted += ch;
    }
    return fitted;
}

void CFilterEdit::InsertLineBreak() {
    if (isReadOnly())
        return;
    const QString fitted = Fitted(QStringLiteral("\n"));
    if (fitted.isEmpty())
        return;
    textCursor().insertText(fitted);
    ensureCursorVisible();
}

void CFilterEdit::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    emit FocusGained();
}

bool CFilterEdit::FilterChar(char& c) { return ::FilterChar(c, g_bLatinKeyboard != 0); }

QString CFilterEdit::Filtered(const QString& typed) {
    const FieldCharSide side = g_bLatinKeyboard != 0 ? FieldCharSide::Latin : FieldCharSide::Cyrillic;
    std::string pc;
    for (QChar ch : typed)
        if (const std::optional<char> c = FoldCharForField(ch.unicode(), side))
            pc += *c;
    return PcToQString(pc);
}

void CFilterEdit::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event)) {
        // The edit's own handling would insert a paragraph break that no limit sees.
        InsertLineBreak();
        event->accept();
        return;
    }
    if (!IsTypedText(event)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const QString filtered = Fitted(Filtered(event->text()));
    if (!filtered.isEmpty()) {
        QKeyEvent changed(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                          event->nativeVirtualKey(), event->nativeModifiers(), filtered, event->isAutoRepeat(),
                          static_cast<quint16>(event->count()));
        QPlainTextEdit::keyPressEvent(&changed);
    }
    event->accept();
}

void CFilterEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Composed characters (dead keys, input methods) arrive here instead of as key presses.
    if (event->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent changed(event->preeditString(), event->attributes());
    changed.setCommitString(Fitted(Filtered(event->commitString())), event->replacementStart(),
                            event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&changed);
}

void CFilterEdit::insertFromMimeData(const QMimeData* source) {
    // Pastes and drops: only text enters, filtered; the clipboard keeps what it held.
    if (!source || !source->hasText() || isReadOnly())
        return;
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QString filtered = Fitted(Filtered(text));
    if (filtered.isEmpty())
        return;
    textCursor().insertText(filtered);
    ensureCursorVisible();
}

std::string CFilterEdit::GetText() const {
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return QStringToPc(text);
}

void CFilterEdit::SetText(std::string_view pc) {
    QString text = PcToQString(pc);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_bSettingText = true;
    setPlainText(text);
    m_bSettingText = false;
}
