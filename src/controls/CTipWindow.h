// The program's own tool-tip popup: one line of text under the mouse over a registered rectangle.
#pragma once

#include "controls/CTipTimer.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The owner's dialog passes every event it pre-translates to RelayEvent. When the mouse comes to
// rest over a tool of the owner, the tip shows the tool's text after the show delay, just below
// the cursor, without taking the focus; a key or a click hides it. It is never shown while no
// window of the program has the focus, nor over a modal box that blocks the owner's window.
class CTipWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowDelay = 400;

    // timer: nullptr for the real one.
    explicit CTipWindow(std::unique_ptr<CTipTimer> timer = nullptr);
    ~CTipWindow() override;

    // Attaches the tip to the window whose rectangles it serves.
    void Create(QWidget* owner);
    QWidget* Owner() const { return m_owner; }
    // The tip attached to a window, if any.
    static CTipWindow* ForOwner(const QWidget* owner);

    // Tools are PC text and a rectangle relative to the owner's top-left corner. Setting a tool
    // beyond the end of the list grows it with empty tools.
    void SetTool(std::string_view text, const QRect& rect, int index);
    void SetToolText(std::string_view text, int index);
    int ToolCount() const { return static_cast<int>(m_tools.size()); }
    // The text of the first tool whose rectangle holds the point (owner coordinates), or "".
    std::string ToolTextAt(const QPoint& ownerPoint) const;

    void RelayEvent(QObject* receiver, QEvent* event);
    // Hides the tip and drops a show still pending: its tool has done its work (a box it opened
    // must not lie under the tip).
    void PutAway();

    QString CurrentText() const;

    // Whether some window of the program has the focus; tests put a probe of their own here.
    void SetFocusProbe(std::function<bool()> probe) { m_hasFocus = std::move(probe); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Q_DISABLE_COPY(CTipWindow)

    struct Tool {
        std::string text;
        QRect rect;
    };

    int FindTool(const QPoint& globalPoint) const;
    void Track(QObject* receiver, const QPoint& globalPoint);
    void OnShowTimer();
    void StopTracking();
    void Hide();

    QPointer<QWidget> m_owner;
    std::unique_ptr<CTipTimer> m_timer;
    std::function<bool()> m_hasFocus;
    QColor m_textColour;
    std::string m_text;
    bool m_bTracking = false;
    std::vector<Tool> m_tools;
};
