// Window messages carried as Qt events.
#include "app/WindowMessages.h"

#include <QCoreApplication>

CMessageEvent::CMessageEvent(unsigned message, WPARAM wParam, LPARAM lParam)
    : QEvent(TypeOf(message)), m_message(message), m_wParam(wParam), m_lParam(lParam) {}

QEvent::Type CMessageEvent::TypeOf(unsigned message) {
    int type = message >= WM_USER ? static_cast<int>(message) : kSystemMessageBase + static_cast<int>(message);
    return static_cast<QEvent::Type>(type);
}

CMessageEvent* CMessageEvent::From(QEvent* event) {
    int type = event->type();
    bool ours = (type >= static_cast<int>(WM_USER) && type < kSystemMessageBase + static_cast<int>(WM_USER));
    return ours ? dynamic_cast<CMessageEvent*>(event) : nullptr;
}

LRESULT SendMessage(QObject* target, unsigned message, WPARAM wParam, LPARAM lParam) {
    if (!target)
        return 0;
    CMessageEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.result();
}

void PostMessage(QObject* target, unsigned message, WPARAM wParam, LPARAM lParam) {
    if (target)
        QCoreApplication::postEvent(target, new CMessageEvent(message, wParam, lParam));
}
