// The main window's tab control with centred captions.
#include "app/CCenteredTabCtrl.h"

#include <QSignalBlocker>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QWheelEvent>

#include <algorithm>

CCenteredTabBar::CCenteredTabBar(QWidget* parent) : QTabBar(parent) {
    setDrawBase(false);
    setExpanding(false);
}

void CCenteredTabBar::SetPadding(QSize padding) {
    m_padding = padding;
    updateGeometry();
    update();
}

// Fixed tabs: every tab is as wide as the widest caption needs, whatever its own caption.
QSize CCenteredTabBar::tabSizeHint(int) const {
    QFontMetrics metrics(font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(tabText(i)));
    return {widest + 2 * m_padding.width() + 4, metrics.height() + 2 * m_padding.height() + 4};
}

// A page is changed by a click or the keyboard only: a wheel turned over the tabs while scrolling
// a page must not leave the page, with its question about unsaved changes.
void CCenteredTabBar::wheelEvent(QWheelEvent* event) { event->ignore(); }

void CCenteredTabBar::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QFontMetrics metrics(font());
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        const QString text = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_TabBarTabShape, option);

        QRect item = tabRect(i);
        int x = item.left() + (item.width() - metrics.horizontalAdvance(text)) / 2;
        int y = item.top() + (item.height() - metrics.height()) / 2;
        painter.save();
        painter.setClipRect(item);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        painter.drawText(QRect(x, y, metrics.horizontalAdvance(text) + 1, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        painter.restore();
    }
}

CCenteredTabCtrl::CCenteredTabCtrl(QWidget* parent) : QWidget(parent), m_bar(new CCenteredTabBar(this)) {
    m_bar->setObjectName("tabs");
    connect(m_bar, &QTabBar::currentChanged, this, &CCenteredTabCtrl::SelChange);
}

void CCenteredTabCtrl::InsertItem(int index, const QString& text) {
    QSignalBlocker quiet(m_bar);
    m_bar->insertTab(index, text);
    m_bar->adjustSize();
}

void CCenteredTabCtrl::SetItemText(int index, const QString& text) {
    m_bar->setTabText(index, text);
    m_bar->adjustSize();
}

QString CCenteredTabCtrl::GetItemText(int index) const { return m_bar->tabText(index); }

int CCenteredTabCtrl::GetCurSel() const { return m_bar->currentIndex(); }

void CCenteredTabCtrl::SetCurSel(int index) {
    QSignalBlocker quiet(m_bar);
    m_bar->setCurrentIndex(index);
}

void CCenteredTabCtrl::SetPadding(QSize padding) {
    m_bar->SetPadding(padding);
    m_bar->adjustSize();
}

QRect CCenteredTabCtrl::DisplayArea() const {
    QRect area = rect().adjusted(2, m_bar->height(), -2, -2);
    return area.translated(pos());
}

void CCenteredTabCtrl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, m_bar->height() - 1, 0, 0);
    frame.tabBarSize = m_bar->size();
    frame.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void CCenteredTabCtrl::resizeEvent(QResizeEvent*) { m_bar->move(0, 0); }
