// A row of picture buttons that light up under the mouse and send their owner a message when clicked.
#pragma once

#include <QPixmap>
#include <QWidget>

#include <array>
#include <vector>

// Each button is a rectangle of the bar with icons for its normal, hot and disabled looks, in
// one or two states (a toggle shows a second set). A completed click sends the button's message
// to the bar's parent with SendMessage(parent, message, message, 0). A press that is dragged
// off its button is lost: releasing anywhere then sends nothing.
class CPictureButtonBar : public QWidget {
    Q_OBJECT
public:
    explicit CPictureButtonBar(QWidget* parent = nullptr);
    ~CPictureButtonBar() override;

    // Creates a bar in place of a placeholder control of a dialog: same parent, geometry,
    // stacking, visibility and object name (the control id). The placeholder is deleted.
    static CPictureButtonBar* TakeOver(QWidget* placeholder);

    // rect is in the bar's coordinates; the icons are loaded at cx x cy. Returns the index.
    int AddPushButton(const QRect& rect, int cx, int cy, int iconNormal, int iconHot, int iconDisabled,
                      unsigned message);
    // State 0 takes the icons firstIcon0, + 1, + 2 as its normal, hot and disabled looks; state 1
    // takes them from firstIcon1.
    int AddToggleButton(const QRect& rect, int cx, int cy, int firstIcon0, int firstIcon1, unsigned message);

    // False for an index or state the button does not have.
    bool SetButtonState(int index, int state);
    bool SetButtonDisabled(int index, bool disabled);
    // Gives a button another rectangle; its icons keep their size and are centred in it.
    bool SetButtonRect(int index, const QRect& rect);

    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    QRect ButtonRect(int index) const;
    int ButtonState(int index) const;
    int ButtonStateCount(int index) const;
    bool IsButtonDisabled(int index) const;
    bool IsButtonHot(int index) const;
    bool IsButtonPressed(int index) const;

    // Clicks an enabled button as a completed mouse click would (the accessible press action).
    void ClickButton(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    Q_DISABLE_COPY(CPictureButtonBar)

    struct Button {
        std::array<std::array<QPixmap, 2>, 3> icons; // [look][state]
        QSize iconSize;
        QRect rect;
        unsigned message = 0;
        bool hot = false;
        bool pressed = false;
        int stateCount = 1;
        int state = 0;
        bool disabled = false;
    };

    const Button* Find(int index) const;
    void Press(const QPoint& point);
    void TrackMouse(const QPoint& point);
    void Capture(bool capture);
    void SendToParent(std::vector<unsigned> messages);

    std::vector<Button> m_buttons;
};
