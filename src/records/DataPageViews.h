// The Data page's two views, the section choice and the record editor, and the slide between them.
#pragma once

#include <QPoint>
#include <QRect>

#include <functional>
#include <map>

class QWidget;

// In the section choice the section frame fills the left half and the record list frame, with the field
// choice, the list and the command bar, the right half. In the record editor the list frame moves into
// the left half and the editor frame takes its place on the right.
class DataPageViews {
public:
    // Notes where the controls of the section choice view are; the page is built from its template.
    explicit DataPageViews(QWidget* page);

    void ShowSectionChoice() const;
    // The editor's own controls are shown and placed by the editor; here only its frame.
    void ShowRecordEditor() const;

    // Moves the page sideways in steps until it has gone half the slide width, left (-1) when the
    // editor opens and right (+1) when it closes, and puts it back where it was.
    void Slide(int direction) const;

    // The space between the section choice frame and the record list frame.
    int Gap() const { return m_nGap; }
    // The editor frame's place: where the record list frame is in the section choice.
    QRect EditorFrame() const { return m_rcListFrame; }
    int SlideWidth() const { return m_nSlideWidth; }

    // What happens between two steps of the slide (the page already moved). The program's own shows
    // the step and waits a little; tests record the step or do nothing, so no test waits.
    using SlidePause = std::function<void(QWidget* page)>;
    static void SetSlidePause(SlidePause pause);

    static constexpr int kSlideStep = 25;

private:
    void MoveListSide(int dx) const;

    QWidget* m_page;
    std::map<int, QPoint> m_listSide; // control id -> its place in the section choice
    QRect m_rcListFrame;
    int m_nGap = 0;
    int m_nSlideWidth = 0;
};
