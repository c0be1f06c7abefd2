// Where the record editor puts its captions, fields, pickers and padlock for each section.
#include "records/EditorLayout.h"

#include "records/Sections.h"

namespace {

// Fields one under the other in bands of height b: each caption (c high) on
// top of its edit.
void StackFields(EditorLayout& layout, const EditorRect& frame, int m, int fields, int b, int c) {
    const int x = frame.x + m;
    const int w = frame.cx - 2 * m;
    for (int i = 0; i < fields; ++i) {
        const int top = frame.y + m + i * b;
        layout.captions[i] = EditorRect{x, top, w, c};
        layout.edits[i] = EditorRect{x, top + c, w, b - c};
    }
}

EditorLayout TelephoneLayout(const EditorRect& frame, int m) {
    const int b = (frame.cy - 2 * m) / 4;
    const int c = b / 3 - 2;
    EditorLayout layout;
    StackFields(layout, frame, m, 3, b, c);
    const int side = b - c;
    layout.lockButton = EditorRect{frame.x + frame.cx - m - side, frame.y + m + 3 * b + m, side, side};
    return layout;
}

EditorLayout ScheduleLayout(const EditorRect& frame, int m) {
    const int b = (frame.cy - m / 2 - m) / 4;
    const int c = b / 3 - 2;
    const int p = 5 * b / 12;
    const int s = (frame.cx - 3 * m) / 2;
    const int x = frame.x + m;
    const int w = frame.cx - 2 * m;
    const int top = frame.y + m;
    EditorLayout layout;
    layout.captions[0] = EditorRect{x, top, s, c};
    layout.pickers[0] = EditorRect{x, top + c, s, p};
    layout.captions[1] = EditorRect{x, top + b, w, c};
    layout.pickers[1] = EditorRect{x, top + b + c, s, p};
    layout.pickers[2] = EditorRect{x + s + m, top + b + c, s, p};
    layout.captions[2] = EditorRect{x, top + 2 * b, w, c};
    layout.edits[2] = EditorRect{x, top + 2 * b + c, w, b - c};
    const int side = b - c;
    layout.lockButton = EditorRect{frame.x + frame.cx - m - side, top + 3 * b + m / 2, side, side};
    return layout;
}

EditorLayout DictionaryLayout(const EditorRect& frame, int m) {
    const int b = (frame.cy - m / 2 - m) / 4;
    EditorLayout layout;
    StackFields(layout, frame, m, 2, b, b / 3 - 2);
    return layout;
}

} // namespace

EditorLayout ArrangeEditorLayout(int section, const EditorRect& frame, int gap) {
    switch (section) {
    case kSectionTelephone:
        return TelephoneLayout(frame, gap);
    case kSectionSchedule:
        return ScheduleLayout(frame, gap);
    case kSectionGermanRussian:
    case kSectionRussianGerman:
        return DictionaryLayout(frame, gap);
    default:
        return {};
    }
}

int FieldLengthLimit(int section, int field) {
    // Chosen so that the longest record of each section still fits the handheld's 256-byte record.
    static constexpr int kLimits[4][3] = {{70, 55, 120}, {0, 0, 242}, {46, 192, 0}, {46, 192, 0}};
    if (!IsRecordSection(section) || field < 0 || field > 2)
        return 0;
    return kLimits[section - 1][field];
}
