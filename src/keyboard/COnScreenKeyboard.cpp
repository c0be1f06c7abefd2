// The on-screen keyboard in place of the main window's logo: clicked keys type into the focused field.
#include "keyboard/COnScreenKeyboard.h"

#include "keyboard/CTranslatingApp.h"
#include "keyboard/KeyEventAdapter.h"
#include "keyboard/KeyboardFaces.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace {

// A Qt timer cannot pile up ticks as a message queue does; the ticks a busy program missed are
// counted from the time that has gone by instead, so the squeeze ends on time all the same.
class QtKeyboardTimer final : public CKeyboardTimer {
public:
    QtKeyboardTimer() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 due = m_clock.elapsed() / m_period;
            const int ticks = static_cast<int>(std::max<qint64>(1, due - m_ticksCounted));
            m_ticksCounted += ticks;
            if (m_onTick)
                m_onTick(ticks);
        });
    }
    bool Start(int ms, std::function<void(int)> onTick) override {
        m_period = std::max(1, ms);
        m_onTick = std::move(onTick);
        m_ticksCounted = 0;
        m_clock.start();
        m_timer.start(m_period);
        return m_timer.isActive();
    }
    void Stop() override { m_timer.stop(); }
    bool IsActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_period = 1;
    qint64 m_ticksCounted = 0;
    std::function<void(int)> m_onTick;
};

// A key the program types itself, as if pressed on the keyboard: it passes the keyboard
// translation and the windows' pre-translation like a real key.
void PostSynthesizedKey(QWidget* focus, int virtualKey, bool keyUp) {
    auto* key = new QKeyEvent(keyUp ? QEvent::KeyRelease : QEvent::KeyPress, QtKeyOfVirtualKey(virtualKey),
                              QGuiApplication::keyboardModifiers(), 0, static_cast<quint32>(virtualKey), 0,
                              TextOfVirtualKey(virtualKey));
    QCoreApplication::postEvent(focus, key);
}

} // namespace

COnScreenKeyboard::COnScreenKeyboard(QWidget* parent)
    : QLabel(parent), m_timer(std::make_unique<QtKeyboardTimer>()),
      m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Orvela KL840T"));
}

COnScreenKeyboard::~COnScreenKeyboard() = default;

QUrl COnScreenKeyboard::MakerAddress() { return QUrl(QStringLiteral("https://www.orvela.example/")); }

void COnScreenKeyboard::Attach() {
    QRect place = geometry();
    place.setWidth(std::max(place.width(), kKeyboardWidth));
    place.setHeight(std::max(place.height(), kKeyboardHeight));
    setGeometry(place);
}

void COnScreenKeyboard::SetLogo(const QPixmap& logo, const QCursor& cursor) {
    m_logo = logo;
    m_logoCursor = cursor;
    m_nLogoWidth = logo.width();
    m_nLogoHeight = logo.height();
    m_nView = kViewLogo;
    UpdateCursor();
    update();
}

int COnScreenKeyboard::SelectFace(int face, int standard) {
    const int selected = OnScreenKeyboardState::SelectFace(face, standard);
    if (selected)
        update();
    return selected;
}

void COnScreenKeyboard::ToggleView() {
    if (!BeginToggleView(!m_logo.isNull()) ||
        !m_timer->Start(kAnimationPeriod, [this](int ticks) { OnAnimationTick(ticks); })) {
        FinishAnimation();
        return;
    }
    UpdateCursor();
    update();
}

void COnScreenKeyboard::OnAnimationTick(int ticks) {
    if (AnimationTick(ticks))
        FinishAnimation();
    else
        update();
}

void COnScreenKeyboard::FinishAnimation() {
    OnScreenKeyboardState::FinishAnimation();
    m_timer->Stop();
    UpdateCursor();
    update();
}

void COnScreenKeyboard::SetAnimationTimer(std::unique_ptr<CKeyboardTimer> timer) {
    if (timer)
        m_timer = std::move(timer);
}

QPoint COnScreenKeyboard::KeyboardOrigin() const {
    return {m_nCentreX - kKeyboardWidth / 2, m_nCentreY - kKeyboardHeight / 2};
}

QRect COnScreenKeyboard::LogoRect(int height) const {
    return {m_nCentreX - m_nLogoWidth / 2, m_nCentreY - height / 2, m_nLogoWidth, height};
}

void COnScreenKeyboard::UpdateCursor() {
    // The hand says that the logo is a link; over the keyboard the pointer stays an arrow.
    if (m_nView != kViewKeyboard && m_nAnim == 0 && !m_logo.isNull())
        setCursor(m_logoCursor);
    else
        unsetCursor();
}

const QPixmap& COnScreenKeyboard::FacePicture() {
    const KeyboardTable table = Table();
    QPixmap& face = m_faces[static_cast<std::size_t>(table)][Upper() ? 1 : 0];
    if (face.isNull())
        face = PaintKeyboardFace(table, Upper());
    return face;
}

void COnScreenKeyboard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const QPoint origin = KeyboardOrigin();
    const int n = m_nAnim;
    switch (m_nView) {
    case kViewKeyboard:
        painter.drawPixmap(origin, FacePicture());
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        for (const KeyRect& r : InvertedRects())
            painter.fillRect(QRect(origin.x() + r.x, origin.y() + r.y, r.width, r.height), Qt::white);
        break;
    case kViewLogo:
        painter.drawPixmap(LogoRect(m_nLogoHeight), m_logo);
        break;
    case kViewToKeyboard: // the keyboard rises from the bottom while the logo shrinks
        painter.drawPixmap(QRect(origin.x(), origin.y() + n, kKeyboardWidth, std::max(kKeyboardHeight - n, 0)),
                           FacePicture());
        painter.drawPixmap(LogoRect(std::min(n, m_nLogoHeight)), m_logo);
        break;
    case kViewToLogo: // the keyboard sinks while the logo grows
        painter.drawPixmap(QRect(origin.x(), m_nCentreY + kKeyboardHeight / 2 - n, kKeyboardWidth, n), FacePicture());
        painter.drawPixmap(LogoRect(std::max(m_nLogoHeight - n, 0)), m_logo);
        break;
    default:
        break;
    }
}

void COnScreenKeyboard::resizeEvent(QResizeEvent* event) {
    m_nCentreX = width() / 2;
    m_nCentreY = height() / 2;
    QLabel::resizeEvent(event);
}

void COnScreenKeyboard::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        ToggleView();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    switch (m_nView) {
    case kViewKeyboard:
        PressAt(event->position().toPoint());
        break;
    case kViewLogo:
        m_openUrl(MakerAddress());
        break;
    default:
        FinishAnimation();
        break;
    }
}

void COnScreenKeyboard::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second click is one more click: a key pressed twice types twice.
    mousePressEvent(event);
}

void COnScreenKeyboard::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        ReleasePressedKey();
}

void COnScreenKeyboard::mouseMoveEvent(QMouseEvent*) {
    // The pressed key stays pressed wherever the mouse goes; nothing to track.
}

bool COnScreenKeyboard::event(QEvent* event) {
    // Another window taking over (a modal box, the user switching away) ends a key press, as the
    // mouse button will not come back up here.
    if (event->type() == QEvent::WindowDeactivate || event->type() == QEvent::WindowBlocked)
        ReleasePressedKey();
    return QLabel::event(event);
}

void COnScreenKeyboard::hideEvent(QHideEvent* event) {
    ReleasePressedKey();
    QLabel::hideEvent(event);
}

void COnScreenKeyboard::PressAt(const QPoint& point) {
    const QPoint picture = point - KeyboardOrigin();
    const KeyPosition hit = HitTestKeyboard(picture.x(), picture.y());
    m_nPressedRow = hit.row;
    m_nPressedColumn = hit.column;
    if (hit.row < 0)
        return;
    Send(KeyAction(true));
    m_bCaptured = 1;
    update();
}

void COnScreenKeyboard::ReleasePressedKey() {
    // The release goes to the key that was pressed, wherever the mouse is now.
    if (m_nPressedRow < 0 || !m_bCaptured)
        return;
    m_bCaptured = 0;
    Send(KeyAction(false));
    update();
}

void COnScreenKeyboard::Send(const std::vector<KeyboardSend>& sends) {
    for (const KeyboardSend& send : sends) {
        // Looked up for each message: a key-up or character may have moved the focus.
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            continue;
        switch (send.kind) {
        case KeyboardSend::Synthesized:
            PostSynthesizedKey(focus, send.virtualKey, send.keyUp);
            break;
        case KeyboardSend::KeyDown:
        case KeyboardSend::KeyUp: {
            QKeyEvent key(send.kind == KeyboardSend::KeyDown ? QEvent::KeyPress : QEvent::KeyRelease,
                          QtKeyOfVirtualKey(send.virtualKey), Qt::NoModifier);
            CTranslatingApp::SendPastTranslation(focus, &key);
            break;
        }
        case KeyboardSend::Char: {
            // A character alone: a key press that names no key and carries the character as text.
            QKeyEvent character(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                                CodePageText(std::string(1, static_cast<char>(send.code)), send.codePage));
            CTranslatingApp::SendPastTranslation(focus, &character);
            break;
        }
        }
    }
}
