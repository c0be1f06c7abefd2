// A window's look at the input meant for itself or its children before they
// get it, as the application's pre-translation walks up from the receiver.
#pragma once

class QEvent;
class QObject;

class CPreTranslating {
public:
    // True consumes the event: neither the receiver nor the windows further up
    // see it.
    virtual bool PreTranslateMessage(QObject* receiver, QEvent* event) = 0;

protected:
    ~CPreTranslating() = default;
};

// Offers a key or mouse event to every CPreTranslating window from the
// receiver up to its top-level window, innermost first. True when one of them
// consumed it.
bool WalkPreTranslateTree(QObject* receiver, QEvent* event);
