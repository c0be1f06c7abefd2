// The application base class that sees every event of the program first.
#include "keyboard/CTranslatingApp.h"

#include "app/PreTranslate.h"
#include "app/WindowMessages.h"
#include "keyboard/SystemKeyboardLayouts.h"

CTranslatingApp::CTranslatingApp(int& argc, char** argv)
    : QApplication(argc, argv), m_layouts(std::make_unique<SystemKeyboardLayouts>()) {}

CTranslatingApp::~CTranslatingApp() = default;

CTranslatingApp* CTranslatingApp::Instance() {
    return qobject_cast<CTranslatingApp*>(QCoreApplication::instance());
}

bool CTranslatingApp::notify(QObject* receiver, QEvent* event) {
    // A mode message changes the state and then goes on to its window, where nothing handles it.
    if (auto* message = CMessageEvent::From(event)) {
        int command = ModeCommandIndex(message->message(), WM_KBD_OFF);
        if (command >= 0)
            m_kbd.Apply(static_cast<KbdModeCommand>(command));
    }
    if (WalkPreTranslateTree(receiver, event))
        return true;
    return QApplication::notify(receiver, event);
}

bool CTranslatingApp::ModeStandsAside() const {
    return m_kbd.StandsAsideFor(m_layouts->ActiveLayoutName());
}

void CTranslatingApp::ActivateInstalledLayout(int side) {
    ::ActivateInstalledLayout(*m_layouts, side);
}

void CTranslatingApp::SetKeyboardLayouts(std::unique_ptr<KeyboardLayouts> layouts) {
    if (layouts)
        m_layouts = std::move(layouts);
}
