// The application base class that sees every event of the program first.
#include "keyboard/CTranslatingApp.h"

#include "app/PreTranslate.h"
#include "app/WindowMessages.h"
#include "keyboard/KeyEventAdapter.h"
#include "keyboard/SystemKeyboardLayouts.h"

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
        if (command >= 0)
            m_kbd.Apply(static_cast<KbdModeCommand>(command));
    }
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && receiver->isWidgetType() &&
        TranslateKey(static_cast<QWidget*>(receiver), static_cast<QKeyEvent*>(event)))
        return true;
    if (WalkPreTranslateTree(receiver, event))
        return true;
    return QApplication::notify(receiver, event);
}

bool CTranslatingApp::TranslateKey(QWidget* receiver, QKeyEvent* event) {
    const KeyStroke key = ReadKeyStroke(*event);
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
    QKeyEvent delivered(QEvent::KeyPress, qtKey, event->modifiers(), event->nativeScanCode(), event->nativeVirtualKey(),
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

void CTranslatingApp::ActivateInstalledLayout(int side) { ::ActivateInstalledLayout(*m_layouts, side); }

void CTranslatingApp::SetKeyboardLayouts(std::unique_ptr<KeyboardLayouts> layouts) {
    if (layouts)
        m_layouts = std::move(layouts);
}
