// The walk of the pre-translation from the receiver up to its window.
#include "app/PreTranslate.h"

#include <QEvent>
#include <QWidget>

namespace {

bool IsInputEvent(const QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return true;
    default:
        return false;
    }
}

} // namespace

bool WalkPreTranslateTree(QObject* receiver, QEvent* event) {
    if (!IsInputEvent(event) || !receiver->isWidgetType())
        return false;
    // The walk stays inside the receiver's own window: a popup (a combo box's
    // list) or a message box handles its keys itself.
    for (auto* widget = static_cast<QWidget*>(receiver); widget; widget = widget->parentWidget()) {
        if (auto* translator = dynamic_cast<CPreTranslating*>(widget))
            if (translator->PreTranslateMessage(receiver, event))
                return true;
        if (widget->isWindow())
            break;
    }
    return false;
}
