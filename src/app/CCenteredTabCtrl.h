// The main window's tab control: captions drawn centred in their tabs, and the
// frame of the display area over which the pages lie.
#pragma once

#include <QTabBar>
#include <QWidget>

class CCenteredTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit CCenteredTabBar(QWidget* parent);

    void SetPadding(QSize padding);

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QSize m_padding{12, 3};
};

class CCenteredTabCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CCenteredTabCtrl(QWidget* parent);

    void InsertItem(int index, const QString& text);
    void SetItemText(int index, const QString& text);
    QString GetItemText(int index) const;
    int GetCurSel() const;
    // Selects a tab without telling anyone (no selection-change notification).
    void SetCurSel(int index);
    void SetPadding(QSize padding);

    // The area below the tabs where the pages lie, in the parent's coordinates.
    QRect DisplayArea() const;
    CCenteredTabBar* Bar() const { return m_bar; }

signals:
    // The user selected another tab; the control has selected it already.
    void SelChange(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CCenteredTabBar* m_bar;
};
