// The program's own tool-tip popup: one line of text under the mouse over a registered rectangle.
#include "controls/CTipWindow.h"

#include "controls/PcString.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

#include <cstdlib>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const char* const kTipProperty = "kl840tTipWindow";

class QtTipTimer final : public CTipTimer {
public:
    void Start(int ms, std::function<void()> onTimeout) override {
        m_onTimeout = std::move(onTimeout);
        QObject::disconnect(&m_timer, nullptr, nullptr, nullptr);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (m_onTimeout)
                m_onTimeout();
        });
        m_timer.start(ms);
    }
    void Stop() override { m_timer.stop(); }
    bool IsActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
    std::function<void()> m_onTimeout;
};

// The tip goes one cursor height below the hot spot, so that the pointer never covers it.
int CursorHeight() {
#ifdef Q_OS_WIN
    return GetSystemMetrics(SM_CYCURSOR);
#else
    if (const char* size = std::getenv("XCURSOR_SIZE"); size && std::atoi(size) > 0)
        return std::atoi(size);
    return 32;
#endif
}

QPoint GlobalPosition(QEvent* event) { return static_cast<QMouseEvent*>(event)->globalPosition().toPoint(); }

} // namespace

CTipWindow::CTipWindow(std::unique_ptr<CTipTimer> timer)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_timer(timer ? std::move(timer) : std::make_unique<QtTipTimer>()),
      m_hasFocus([] { return QApplication::activeWindow() != nullptr; }),
      m_textColour(QToolTip::palette().color(QPalette::ToolTipText)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(1, 1);
}

CTipWindow::~CTipWindow() {
    if (m_owner && m_owner->property(kTipProperty).value<QObject*>() == this)
        m_owner->setProperty(kTipProperty, QVariant());
}

void CTipWindow::Create(QWidget* owner) {
    m_owner = owner;
    if (owner) {
        owner->setProperty(kTipProperty, QVariant::fromValue<QObject*>(this));
        owner->installEventFilter(this);
    }
}

bool CTipWindow::eventFilter(QObject* watched, QEvent* event) {
    // A modal box now has the mouse and the keys; the owner's tools wait until it closes.
    if (watched == m_owner && event->type() == QEvent::WindowBlocked)
        PutAway();
    return false;
}

void CTipWindow::PutAway() {
    Hide();
    StopTracking();
}

CTipWindow* CTipWindow::ForOwner(const QWidget* owner) {
    return owner ? qobject_cast<CTipWindow*>(owner->property(kTipProperty).value<QObject*>()) : nullptr;
}

void CTipWindow::SetTool(std::string_view text, const QRect& rect, int index) {
    if (index < 0)
        return;
    if (index >= ToolCount())
        m_tools.resize(static_cast<std::size_t>(index) + 1);
    m_tools[static_cast<std::size_t>(index)] = {std::string(text), rect};
}

void CTipWindow::SetToolText(std::string_view text, int index) {
    if (index >= 0 && index < ToolCount())
        m_tools[static_cast<std::size_t>(index)].text = std::string(text);
}

std::string CTipWindow::ToolTextAt(const QPoint& ownerPoint) const {
    for (const Tool& tool : m_tools)
        if (tool.rect.contains(ownerPoint))
            return tool.text;
    return {};
}

QString CTipWindow::CurrentText() const { return PcToQString(m_text); }

int CTipWindow::FindTool(const QPoint& globalPoint) const {
    if (!m_owner)
        return -1;
    // Tools are placed relative to the owner's window rectangle.
    QPoint point = globalPoint - m_owner->mapToGlobal(QPoint(0, 0));
    for (int i = 0; i < ToolCount(); ++i)
        if (m_tools[static_cast<std::size_t>(i)].rect.contains(point))
            return i;
    return -1;
}

void CTipWindow::RelayEvent(QObject* receiver, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick: {
        auto button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::LeftButton || button == Qt::RightButton)
            Hide();
        return;
    }
    case QEvent::KeyPress:
        Hide();
        return;
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseMove:
        Track(receiver, GlobalPosition(event));
        return;
    default:
        return;
    }
}

void CTipWindow::Track(QObject* receiver, const QPoint& globalPoint) {
    if (!m_hasFocus()) {
        Hide();
        StopTracking();
        return;
    }
    int tool = receiver == m_owner ? FindTool(globalPoint) : -1;
    if (tool >= 0)
        m_text = m_tools[static_cast<std::size_t>(tool)].text;
    if (!m_bTracking) {
        if (tool >= 0) {
            m_timer->Start(kShowDelay, [this] { OnShowTimer(); });
            m_bTracking = true;
        }
        return;
    }
    if (tool < 0) {
        Hide();
        StopTracking();
    } else if (isVisible()) {
        // The first move over a tool fixes the tip where it is.
        m_timer->Stop();
    }
}

void CTipWindow::OnShowTimer() {
    const QPoint cursor = QCursor::pos();
    bool overTool = m_owner && QApplication::widgetAt(cursor) == m_owner && FindTool(cursor) >= 0;
    if (!overTool || !m_hasFocus()) {
        Hide();
        StopTracking();
        return;
    }
    const QString text = CurrentText();
    const QFontMetrics metrics(font());
    resize(metrics.horizontalAdvance(text) + 8, metrics.height() + 4);
    move(cursor.x(), cursor.y() + CursorHeight());
    update();
    raise();
    show();
}

void CTipWindow::StopTracking() {
    m_bTracking = false;
    m_timer->Stop();
}

void CTipWindow::Hide() {
    if (!isVisible())
        return;
    hide();
    m_timer->Stop();
}

void CTipWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, QToolTip::palette().color(QPalette::ToolTipBase));
    painter.setPen(m_textColour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setFont(font());
    painter.drawText(area.adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextSingleLine, CurrentText());
}
