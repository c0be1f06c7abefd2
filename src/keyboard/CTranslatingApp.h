// The application base class that sees every event of the program first.
#pragma once

#include "keyboard/KeyTranslator.h"
#include "keyboard/KeyboardLayouts.h"
#include "keyboard/KeyboardModes.h"

#include <QApplication>

#include <memory>

class QKeyEvent;

// Every event of the user-interface thread passes notify() before it reaches its receiver: the
// keyboard mode messages change the translation state here, key presses are translated into the
// emulated layout's characters, and the windows' pre-translation walks from the receiver up.
class CTranslatingApp : public QApplication {
    Q_OBJECT
public:
    CTranslatingApp(int& argc, char** argv);
    ~CTranslatingApp() override;

    // The running application, or nullptr when the application object is of another class.
    static CTranslatingApp* Instance();

    bool notify(QObject* receiver, QEvent* event) override;

    const KeyboardModeState& KeyboardMode() const { return m_kbd; }
    const KeyTranslator& Translator() const { return m_translator; }
    // Back to the start-up state: the Latin (US) translation, no dead key, no right-Alt layer.
    void ResetKeyboardTranslation();

    // True while translation is on but the system's active layout already is the emulated one.
    bool ModeStandsAside() const;
    // True while an emulation reads the keys: translation is on and does not stand aside.
    bool TranslatesKeys() const;

    // A key event as the keyboard message it stands for, its letter keys named as on the
    // system's active layout.
    KeyStroke ReadKey(const QKeyEvent& event) const;

    // Activates the first installed system layout of the side (0 Latin, 1 Cyrillic), if any.
    void ActivateInstalledLayout(int side);

    KeyboardLayouts& Layouts() { return *m_layouts; }
    // Tests put a double in place of the system's layouts.
    void SetKeyboardLayouts(std::unique_ptr<KeyboardLayouts> layouts);

    // Delivers an event straight to its receiver, past the keyboard translation and the windows'
    // pre-translation, as a message sent to a window's own procedure.
    static bool SendPastTranslation(QObject* receiver, QEvent* event);

private:
    Q_DISABLE_COPY(CTranslatingApp)

    // True when the translation took the key event.
    bool TranslateKey(QWidget* receiver, QKeyEvent* event);
    // Delivers a key press with Alt and without Control as a command key, which types nothing.
    bool DeliverAltKey(QObject* receiver, QKeyEvent* event);

    KeyboardModeState m_kbd;
    KeyTranslator m_translator;
    std::unique_ptr<KeyboardLayouts> m_layouts;
    QEvent* m_pPastTranslation = nullptr;
};
