// A row of picture buttons that light up under the mouse and send their owner a message when clicked.
#include "controls/CPictureButtonBar.h"

#include "app/WindowMessages.h"
#include "controls/CTipWindow.h"
#include "controls/PictureButtonAccessible.h"
#include "res/Icons.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

CPictureButtonBar::CPictureButtonBar(QWidget* parent) : QWidget(parent) {
    InstallPictureButtonAccessibility();
    // Hot tracking needs every move, not only those with a button held.
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

CPictureButtonBar::~CPictureButtonBar() = default;

CPictureButtonBar* CPictureButtonBar::TakeOver(QWidget* placeholder) {
    if (!placeholder)
        return nullptr;
    auto* bar = new CPictureButtonBar(placeholder->parentWidget());
    bar->setObjectName(placeholder->objectName());
    bar->setGeometry(placeholder->geometry());
    bar->setFont(placeholder->font());
    bar->stackUnder(placeholder);
    // A placeholder of a dialog not shown yet is neither visible nor hidden by choice: the bar
    // then shows with the dialog, as the placeholder would have.
    if (placeholder->isVisible())
        bar->show();
    else if (placeholder->testAttribute(Qt::WA_WState_ExplicitShowHide) && placeholder->isHidden())
        bar->hide();
    // Deleted at once, so that a look-up by the control id finds only the bar from now on.
    delete placeholder;
    return bar;
}

int CPictureButtonBar::AddPushButton(const QRect& rect, int cx, int cy, int iconNormal, int iconHot, int iconDisabled,
                                     unsigned message) {
    Button button;
    button.icons[kIconLookNormal][0] = LoadIconPixmap(iconNormal, cx, cy);
    button.icons[kIconLookHot][0] = LoadIconPixmap(iconHot, cx, cy);
    button.icons[kIconLookDisabled][0] = LoadIconPixmap(iconDisabled, cx, cy);
    button.iconSize = QSize(cx, cy);
    button.rect = rect;
    button.message = message;
    m_buttons.push_back(button);
    update(rect);
    return ButtonCount() - 1;
}

int CPictureButtonBar::AddToggleButton(const QRect& rect, int cx, int cy, int firstIcon0, int firstIcon1,
                                       unsigned message) {
    Button button;
    const int first[2] = {firstIcon0, firstIcon1};
    for (int state = 0; state < 2; ++state)
        for (int look = 0; look < 3; ++look)
            button.icons[look][state] = LoadIconPixmap(first[state] + look, cx, cy);
    button.iconSize = QSize(cx, cy);
    button.rect = rect;
    button.message = message;
    button.stateCount = 2;
    m_buttons.push_back(button);
    update(rect);
    return ButtonCount() - 1;
}

const CPictureButtonBar::Button* CPictureButtonBar::Find(int index) const {
    return index >= 0 && index < ButtonCount() ? &m_buttons[static_cast<std::size_t>(index)] : nullptr;
}

bool CPictureButtonBar::SetButtonState(int index, int state) {
    const Button* found = Find(index);
    if (!found || state < 0 || state >= found->stateCount)
        return false;
    m_buttons[static_cast<std::size_t>(index)].state = state;
    update(found->rect);
    return true;
}

bool CPictureButtonBar::SetButtonDisabled(int index, bool disabled) {
    const Button* found = Find(index);
    if (!found)
        return false;
    // A button disabled under the mouse keeps its hot look until the mouse next moves.
    m_buttons[static_cast<std::size_t>(index)].disabled = disabled;
    update(found->rect);
    return true;
}

bool CPictureButtonBar::SetButtonRect(int index, const QRect& rect) {
    const Button* found = Find(index);
    if (!found)
        return false;
    update(found->rect);
    m_buttons[static_cast<std::size_t>(index)].rect = rect;
    update(rect);
    return true;
}

QRect CPictureButtonBar::ButtonRect(int index) const { return Find(index) ? Find(index)->rect : QRect(); }
int CPictureButtonBar::ButtonState(int index) const { return Find(index) ? Find(index)->state : 0; }
int CPictureButtonBar::ButtonStateCount(int index) const { return Find(index) ? Find(index)->stateCount : 0; }
bool CPictureButtonBar::IsButtonDisabled(int index) const { return Find(index) && Find(index)->disabled; }
bool CPictureButtonBar::IsButtonHot(int index) const { return Find(index) && Find(index)->hot; }
bool CPictureButtonBar::IsButtonPressed(int index) const { return Find(index) && Find(index)->pressed; }

void CPictureButtonBar::ClickButton(int index) {
    const Button* found = Find(index);
    if (found && !found->disabled)
        SendToParent({found->message});
}

void CPictureButtonBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    const QColor highlight = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Shadow);
    painter.fillRect(rect(), face);
    for (const Button& button : m_buttons) {
        painter.fillRect(button.rect, face);
        // A disabled bar shows every button disabled, whatever the buttons' own states.
        const bool barOff = !isEnabled();
        int look = button.hot && !barOff       ? kIconLookHot
                   : button.disabled || barOff ? kIconLookDisabled
                                               : kIconLookNormal;
        bool down = button.pressed && button.hot;
        const int marginX = std::max(0, (button.rect.width() - button.iconSize.width()) / 2);
        const int marginY = std::max(0, (button.rect.height() - button.iconSize.height()) / 2);
        QPoint at = button.rect.topLeft() + QPoint(marginX, marginY) + (down ? QPoint(1, 1) : QPoint(0, 0));
        painter.drawPixmap(at, button.icons[static_cast<std::size_t>(look)][static_cast<std::size_t>(button.state)]);
        if (!button.hot || barOff)
            continue;
        // Raised: light top and left, dark bottom and right; sunken while pressed.
        const QColor& topLeft = down ? shadow : highlight;
        const QColor& bottomRight = down ? highlight : shadow;
        const QRect& r = button.rect;
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    }
}

void CPictureButtonBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Press(event->position().toPoint());
}

// The bar is a plain window: a quick second click is one more press, not a double click.
void CPictureButtonBar::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CPictureButtonBar::Press(const QPoint& point) {
    if (QWidget* parent = parentWidget()) {
        parent->window()->raise();
        parent->window()->activateWindow();
    }
    bool any = false;
    for (Button& button : m_buttons) {
        if (button.disabled || !button.rect.contains(point))
            continue;
        button.pressed = true;
        update(button.rect);
        any = true;
    }
    if (any)
        Capture(true);
}

void CPictureButtonBar::mouseMoveEvent(QMouseEvent* event) { TrackMouse(event->position().toPoint()); }

void CPictureButtonBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    std::vector<unsigned> messages;
    for (Button& button : m_buttons) {
        if (!button.pressed)
            continue;
        button.pressed = false;
        update(button.rect);
        messages.push_back(button.message);
    }
    // The message may open a modal box, whose buttons must get the clicks that the capture would
    // take; the mouse-move step captures again when the mouse is still over a button.
    Capture(false);
    QPointer<CPictureButtonBar> alive(this);
    SendToParent(std::move(messages));
    if (alive)
        TrackMouse(event->position().toPoint());
}

bool CPictureButtonBar::event(QEvent* event) {
    // A modal window now owns the mouse: nothing of the bar is hot or pressed any more, and the
    // capture must not keep the clicks from that window.
    if (event->type() == QEvent::WindowBlocked) {
        for (Button& button : m_buttons)
            button.hot = button.pressed = false;
        Capture(false);
        update();
    }
    return QWidget::event(event);
}

void CPictureButtonBar::leaveEvent(QEvent*) {
    // While the bar holds the capture it sees the mouse outside itself; without the capture (a
    // platform that refuses it) leaving the bar is the last news of the mouse.
    if (mouseGrabber() != this)
        TrackMouse(QPoint(-1, -1));
}

void CPictureButtonBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

void CPictureButtonBar::hideEvent(QHideEvent*) { Capture(false); }

void CPictureButtonBar::TrackMouse(const QPoint& point) {
    bool anyHot = false;
    for (Button& button : m_buttons) {
        bool hot = !button.disabled && button.rect.contains(point);
        bool pressed = hot && button.pressed;
        if (hot != button.hot || pressed != button.pressed)
            update(button.rect);
        button.hot = hot;
        button.pressed = pressed;
        anyHot = anyHot || hot;
    }
    Capture(anyHot);
}

void CPictureButtonBar::Capture(bool capture) {
    if (capture && isVisible() && mouseGrabber() != this)
        grabMouse();
    else if (!capture && mouseGrabber() == this)
        releaseMouse();
}

void CPictureButtonBar::SendToParent(std::vector<unsigned> messages) {
    // The message may open a box; the tip of the button would stay on top of it.
    if (CTipWindow* tip = CTipWindow::ForOwner(this); tip && !messages.empty())
        tip->PutAway();
    // A message may close the window that holds the bar: stop when the bar is gone.
    QPointer<CPictureButtonBar> alive(this);
    for (unsigned message : messages) {
        if (!alive)
            return;
        SendMessage(parentWidget(), message, message, 0);
    }
}
