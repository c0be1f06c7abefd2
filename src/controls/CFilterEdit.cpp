// The multi-line edit of the record fields: keeps only what a record field may hold.
#include "controls/CFilterEdit.h"

#include "controls/PcString.h"
#include "keyboard/CodePages.h"
#include "keyboard/FilterChar.h"
#include "keyboard/KeyboardSide.h"

#include <QKeyEvent>
#include <QMimeData>

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

} // namespace

CFilterEdit::CFilterEdit(QWidget* parent) : QPlainTextEdit(parent) {
    // In a dialog, Tab moves on to the next control.
    setTabChangesFocus(true);
}

bool CFilterEdit::FilterChar(char& c) {
    return ::FilterChar(c, g_bLatinKeyboard != 0);
}

QString CFilterEdit::Filtered(const QString& typed) {
    const bool latin = g_bLatinKeyboard != 0;
    std::string pc;
    for (QChar ch : typed) {
        auto byte = latin ? UnicodeToCp1252(ch.unicode()) : UnicodeToCp1251(ch.unicode());
        if (!byte)
            continue; // the side's code page has no such character
        char c = static_cast<char>(*byte);
        if (::FilterChar(c, latin))
            pc += c;
    }
    return PcToQString(pc);
}

void CFilterEdit::keyPressEvent(QKeyEvent* event) {
    if (!IsTypedText(event)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const QString filtered = Filtered(event->text());
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
    changed.setCommitString(Filtered(event->commitString()), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&changed);
}

void CFilterEdit::insertFromMimeData(const QMimeData* source) {
    // Pastes and drops: only text enters, filtered; the clipboard keeps what it held.
    if (!source || !source->hasText())
        return;
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QString filtered = Filtered(text);
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
    setPlainText(text);
}
