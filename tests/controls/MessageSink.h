// A parent window that records the window messages it receives.
#pragma once

#include "app/WindowMessages.h"

#include <QWidget>

#include <vector>

class MessageSink : public QWidget {
public:
    struct Received {
        unsigned message;
        WPARAM wParam;
        LPARAM lParam;
    };

    bool event(QEvent* event) override {
        if (auto* message = CMessageEvent::From(event)) {
            m_received.push_back({message->message(), message->wParam(), message->lParam()});
            return true;
        }
        return QWidget::event(event);
    }

    std::vector<unsigned> Messages() const {
        std::vector<unsigned> messages;
        for (const auto& r : m_received)
            messages.push_back(r.message);
        return messages;
    }

    std::vector<Received> m_received;
};
