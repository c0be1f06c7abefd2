// The application base class that sees every event of the program first.
#include "keyboard/CTranslatingApp.h"

#include "app/PreTranslate.h"
#include "app/WindowMessages.h"
#include "keyboard/KeyEventAdapter.h"
#include "keyboard/SystemKeyboardLayouts.h"

#include <QInputMethod>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Qt lets a control itself do with Tab and Enter what the dialog's own keyboard handling does
// (move the focus, press the default button, start a new line in a multi-line field). A
// translated key bypasses that handling, so these keys reach the control as their characters
// only. In a popup (an open drop-down list) they keep their meaning: choosing an item is the
// list's own business.
bool IsDialogKey(int qtKey) {
    return qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab || qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter;
}

} // namespace

CTranslatingApp::CTranslatingApp(int& argc, char** argv)
    : QApplication(argc, argv), m_layouts(std::make_unique<SystemKeyboardLayouts>()) {}

CTranslatingApp::~CTranslatingApp() = default;

CTranslatingApp* CTranslatingApp::Instance() { return qobject_cast<CTranslatingApp*>(QCoreApplication::instance()); }

bool CTranslatingApp::notify(QObject* receiver, QEvent* event) {
    if (event == m_pPastTranslation) {
        m_pPastTranslation = nullptr;
        return QApplication::notify(receiver, event);
    }
    // A mode message changes the state and then goes on to its window, where nothing handles it.
    if (auto* message = CMessageEvent::From(event)) {
        int command = ModeCommandIndex(message->message(), WM_KBD_OFF);
        if (command >= 0) {
            m_kbd.Apply(static_cast<KbdModeCommand>(command));
            QGuiApplication::inputMethod()->update(Qt::ImEnabled);
        }
    }
    // While an emulation reads the keys, no control composes characters through the system's
    // input method: it would take the system layout's dead keys before the emulation sees them.
    if (event->type() == QEvent::InputMethodQuery) {
        const bool handled = QApplication::notify(receiver, event);
        auto* query = static_cast<QInputMethodQueryEvent*>(event);
        if (query->queries().testFlag(Qt::ImEnabled) && TranslatesKeys())
            query->setValue(Qt::ImEnabled, false);
        return handled;
    }
    const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (keyEvent && receiver->isWidgetType() &&
        TranslateKey(static_cast<QWidget*>(receiver), static_cast<QKeyEvent*>(event)))
        return true;
    if (WalkPreTranslateTree(receiver, event))
        return true;
    if (keyEvent && receiver->isWidgetType())
        return DeliverAltKey(receiver, static_cast<QKeyEvent*>(event));
    return QApplication::notify(receiver, event);
}

bool CTranslatingApp::DeliverAltKey(QObject* receiver, QKeyEvent* event) {
    const bool altOnly = (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == Qt::AltModifier;
    if (event->type() != QEvent::KeyPress || !altOnly || event->text().isEmpty())
        return QApplication::notify(receiver, event);
    // Alt with a key is a system key: the control may act on it but never types its character.
    QKeyEvent command(QEvent::KeyPress, event->key(), event->modifiers(), event->nativeScanCode(),
                      event->nativeVirtualKey(), event->nativeModifiers(), QString(), event->isAutoRepeat(),
                      static_cast<quint16>(event->count()));
    const bool handled = QApplication::notify(receiver, &command);
    event->setAccepted(command.isAccepted());
    return handled;
}

bool CTranslatingApp::TranslateKey(QWidget* receiver, QKeyEvent* event) {
    const KeyStroke key = ReadKey(*event);
    if (key.virtualKey == 0)
        return false; // a key the program has no name for stays the system's
    // Only key events can be translated, so the layout name is read for them alone.
    const KeyTranslation translation = m_translator.Translate(m_kbd, m_layouts->ActiveLayoutName(), key);
    if (!translation.consumed)
        return false;
    if (!translation.keyDownDelivered)
        return true;

    // The key-down and the characters the translation made arrive together, as one key press
    // carrying the characters as its text in place of what the system's layout made: the
    // control's own handling of the key (arrows, Delete, Backspace, Ctrl+V) runs as before, and
    // what it types comes from the emulated layout.
    int qtKey = event->key();
    if (IsDialogKey(qtKey) && receiver->window()->windowType() != Qt::Popup)
        qtKey = Qt::Key_unknown;
    // A key that went on as the same key without Control arrives without it: it types its
    // character instead of acting as the control's own Control shortcut.
    Qt::KeyboardModifiers modifiers = event->modifiers();
    if (translation.controlIgnored)
        modifiers &= ~Qt::ControlModifier;
    QKeyEvent delivered(QEvent::KeyPress, qtKey, modifiers, event->nativeScanCode(), event->nativeVirtualKey(),
                        event->nativeModifiers(), CodePageText(translation.Characters(), translation.codePage),
                        event->isAutoRepeat(), static_cast<quint16>(event->count()));
    SendPastTranslation(receiver, &delivered);
    event->setAccepted(delivered.isAccepted());
    return true;
}

bool CTranslatingApp::SendPastTranslation(QObject* receiver, QEvent* event) {
    auto* app = Instance();
    if (app)
        app->m_pPastTranslation = event;
    const bool handled = QCoreApplication::sendEvent(receiver, event);
    // An event that never reached notify() must not let a later one at the same address pass.
    if (app && app->m_pPastTranslation == event)
        app->m_pPastTranslation = nullptr;
    return handled;
}

void CTranslatingApp::ResetKeyboardTranslation() {
    m_kbd = {};
    m_translator = {};
}

bool CTranslatingApp::ModeStandsAside() const { return m_kbd.StandsAsideFor(m_layouts->ActiveLayoutName()); }

bool CTranslatingApp::TranslatesKeys() const { return m_kbd.m_bKbdTranslate && !ModeStandsAside(); }

KeyStroke CTranslatingApp::ReadKey(const QKeyEvent& event) const { return ReadKeyStroke(event, m_layouts.get()); }

void CTranslatingApp::ActivateInstalledLayout(int side) { ::ActivateInstalledLayout(*m_layouts, side); }

void CTranslatingApp::SetKeyboardLayouts(std::unique_ptr<KeyboardLayouts> layouts) {
    if (layouts)
        m_layouts = std::move(layouts);
}
