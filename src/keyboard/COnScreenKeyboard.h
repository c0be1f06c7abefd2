// The on-screen keyboard in place of the main window's logo: clicked keys type into the focused field.
#pragma once

#include "keyboard/CKeyboardTimer.h"
#include "keyboard/OnScreenKeyboardState.h"

#include <QCursor>
#include <QLabel>
#include <QPixmap>
#include <QUrl>

#include <array>
#include <functional>
#include <memory>
#include <vector>

// Shows either a keyboard picture or the maker's logo, and switches between the two with a short
// squeeze. A key typed on it goes to the window that has the keyboard focus; the control itself
// never takes the focus. A click on the logo opens the maker's web address.
class COnScreenKeyboard : public QLabel, public OnScreenKeyboardState {
    Q_OBJECT
public:
    explicit COnScreenKeyboard(QWidget* parent = nullptr);
    ~COnScreenKeyboard() override;

    static QUrl MakerAddress();

    // Makes the control at least as large as the keyboard picture; its right and bottom edges move.
    void Attach();

    void SetLogo(const QPixmap& logo, const QCursor& cursor);
    int SelectFace(int face, int standard);
    void ToggleView();
    int GetView() const { return m_nView; }
    void FinishAnimation();

    // Where the keyboard picture lies in the control.
    QPoint KeyboardOrigin() const;

    // Tests drive the animation and catch the web address themselves.
    void SetAnimationTimer(std::unique_ptr<CKeyboardTimer> timer);
    void SetUrlOpener(std::function<bool(const QUrl&)> open) { m_openUrl = std::move(open); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    Q_DISABLE_COPY(COnScreenKeyboard)

    void PressAt(const QPoint& point);
    void ReleasePressedKey();
    void Send(const std::vector<KeyboardSend>& sends);
    void OnAnimationTick(int ticks);
    void UpdateCursor();
    const QPixmap& FacePicture();
    QRect LogoRect(int height) const;

    QPixmap m_logo;
    QCursor m_logoCursor;
    int m_nLogoWidth = 0;
    int m_nLogoHeight = 0;
    int m_nCentreX = 0;
    int m_nCentreY = 0;
    std::unique_ptr<CKeyboardTimer> m_timer;
    std::function<bool(const QUrl&)> m_openUrl;
    std::array<std::array<QPixmap, 2>, 4> m_faces; // by table and upper case, painted when first shown
};
