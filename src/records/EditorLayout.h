// Where the record editor puts its captions, fields, pickers and padlock for each section.
#pragma once

#include <array>
#include <optional>

// A rectangle in pixels: left, top, width, height.
struct EditorRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    bool operator==(const EditorRect&) const = default;
};

// Places of the editor's controls; an empty place means the control is hidden.
struct EditorLayout {
    std::array<std::optional<EditorRect>, 3> captions; // fields 0, 1, 2
    std::array<std::optional<EditorRect>, 3> edits;    // fields 0, 1, 2
    std::array<std::optional<EditorRect>, 3> pickers;  // date, start time, end time
    std::optional<EditorRect> lockButton;
};

// The layout inside the editor frame for a section. gap is the space between the section choice and
// the record list, which the editor keeps from its frame's edges too. The telephone book stacks its
// three fields in four equal bands with the padlock in the last; the schedule puts the date picker,
// the two time pickers side by side and its text one under the other; the dictionaries stack their
// two words and have no padlock (their lock byte goes back to the file as it came).
EditorLayout ArrangeEditorLayout(int section, const EditorRect& frame, int gap);

// How many characters a field takes, a line break counting as two; 0 where the field is not typed
// (the schedule's date and times come from the pickers).
int FieldLengthLimit(int section, int field);
