// Window messages: the numbers the windows of the program send each other,
// carried as Qt events.
#pragma once

#include <QEvent>

#include <cstdint>

class QObject;

// Message numbers.
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_HELP = 0x0053;
inline constexpr unsigned WM_USER = 0x0400;

inline constexpr unsigned WM_DATA_NEW = WM_USER + 1;
inline constexpr unsigned WM_DATA_DELETE = WM_USER + 2;
inline constexpr unsigned WM_DATA_UNDO = WM_USER + 3;
inline constexpr unsigned WM_DATA_VIEW = WM_USER + 4;
inline constexpr unsigned WM_DATA_SAVE = WM_USER + 5;
inline constexpr unsigned WM_DATA_LOCK = WM_USER + 6;

inline constexpr unsigned WM_TOGGLE_KEYBOARD_SIDE = WM_USER + 10;
inline constexpr unsigned WM_ABOUT_BOX = WM_USER + 11;
inline constexpr unsigned WM_TOGGLE_ONSCREEN_KEYBOARD = WM_USER + 12;

inline constexpr unsigned WM_KBD_OFF = WM_USER + 100;
inline constexpr unsigned WM_KBD_LATIN = WM_USER + 101;
inline constexpr unsigned WM_KBD_RUSSIAN = WM_USER + 102;
inline constexpr unsigned WM_KBD_RUSSIAN_TYPEWRITER = WM_USER + 103;
inline constexpr unsigned WM_KBD_GERMAN = WM_USER + 104;
inline constexpr unsigned WM_KBD_INTERNATIONAL = WM_USER + 105;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// One message as an event. The event type is the message number itself for
// the program's own messages (WM_USER and up lie in Qt's user range); the few
// system messages below WM_USER are moved up by kSystemMessageBase so that
// they cannot be taken for Qt's own event types.
class CMessageEvent : public QEvent {
public:
    CMessageEvent(unsigned message, WPARAM wParam, LPARAM lParam);

    unsigned message() const { return m_message; }
    WPARAM wParam() const { return m_wParam; }
    LPARAM lParam() const { return m_lParam; }
    LRESULT result() const { return m_result; }
    void setResult(LRESULT result) { m_result = result; }

    static constexpr int kSystemMessageBase = 0x8000;
    static QEvent::Type TypeOf(unsigned message);

    // The message carried by an event, or nullptr when it carries none.
    static CMessageEvent* From(QEvent* event);

private:
    unsigned m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
    LRESULT m_result = 0;
};

// Delivers the message at once and returns the handler's result.
LRESULT SendMessage(QObject* target, unsigned message, WPARAM wParam = 0, LPARAM lParam = 0);

// Queues the message; it is seen by the application's pre-translation and then
// delivered when the event loop next runs.
void PostMessage(QObject* target, unsigned message, WPARAM wParam = 0, LPARAM lParam = 0);
