// The Data page's two views, the section choice and the record editor, and the slide between them.
#include "records/DataPageViews.h"

#include "app/DialogBuilder.h"
#include "records/SchedulePickers.h"

#include <QThread>
#include <QWidget>

namespace {

constexpr int kSectionFrame = 1069, kListFrame = 1098, kEditorFrame = 1099;
constexpr int kSectionSide[] = {kSectionFrame, 1119, 1022, 1028, 1027, IDOK};
constexpr int kListSide[] = {kListFrame, 1081, 1082, 6666, 1100};
constexpr int kEditorSide[] = {kEditorFrame,     1084,          1085, 1086, 1091, 1092, 1093, 1101, IDC_DATE_PICKER,
                               IDC_START_PICKER, IDC_END_PICKER};

void ShowAndPaint(QWidget* page) {
    // Each step is drawn before the next: the slide is over in about a tenth of a second.
    page->window()->repaint();
    QThread::msleep(15);
}

DataPageViews::SlidePause& CurrentPause() {
    static DataPageViews::SlidePause pause = ShowAndPaint;
    return pause;
}

} // namespace

DataPageViews::DataPageViews(QWidget* page) : m_page(page) {
    for (int id : kListSide)
        if (QWidget* control = GetDlgItem(page, id))
            m_listSide[id] = control->pos();
    const QRect section = GetDlgItem(page, kSectionFrame)->geometry();
    m_rcListFrame = GetDlgItem(page, kListFrame)->geometry();
    m_nGap = m_rcListFrame.left() - (section.left() + section.width());
    m_nSlideWidth = m_rcListFrame.left() - section.left();
}

void DataPageViews::SetSlidePause(SlidePause pause) {
    CurrentPause() = pause ? std::move(pause) : SlidePause(ShowAndPaint);
}

void DataPageViews::MoveListSide(int dx) const {
    for (const auto& [id, place] : m_listSide)
        if (QWidget* control = GetDlgItem(m_page, id))
            control->move(place + QPoint(dx, 0));
}

void DataPageViews::ShowSectionChoice() const {
    for (int id : kEditorSide)
        if (QWidget* control = GetDlgItem(m_page, id))
            control->hide();
    MoveListSide(0);
    for (int id : kSectionSide)
        GetDlgItem(m_page, id)->show();
}

void DataPageViews::ShowRecordEditor() const {
    for (int id : kSectionSide)
        GetDlgItem(m_page, id)->hide();
    MoveListSide(-m_nSlideWidth);
    QWidget* frame = GetDlgItem(m_page, kEditorFrame);
    frame->setGeometry(m_rcListFrame);
    frame->show();
    frame->lower();
}

void DataPageViews::Slide(int direction) const {
    const QPoint home = m_page->pos();
    for (int moved = kSlideStep; moved - kSlideStep < m_nSlideWidth / 2; moved += kSlideStep) {
        m_page->move(home + QPoint(direction * moved, 0));
        CurrentPause()(m_page);
    }
    m_page->move(home);
}
