// The schedule editor's three pickers and the date and times texts of a record that they stand for.
#pragma once

#include "records/CDateTimePicker.h"

#include <array>

class CFilterEdit;
class QWidget;
class SectionRecord;

inline constexpr int IDC_DATE_PICKER = 1519;
inline constexpr int IDC_START_PICKER = 2519;
inline constexpr int IDC_END_PICKER = 3519;

class SchedulePickers {
public:
    SchedulePickers() = default;
    SchedulePickers(const SchedulePickers&) = delete;
    SchedulePickers& operator=(const SchedulePickers&) = delete;

    // The date picker (up-down, no calendar) and the start and end time pickers, as hidden tab stops
    // of the page.
    void Create(QWidget* page);

    // 0 date, 1 start, 2 end.
    CDateTimePicker& Picker(int index) const { return *m_pickers[static_cast<std::size_t>(index)]; }

    // present: all three show the present moment. Otherwise the record's date text and its
    // "start - end" times text are read in turn into one value, so a text that does not read leaves
    // its picker at the value read before it.
    void ShowScheduleInPickers(const SectionRecord* record, bool present);
    // The pickers' held values as the record's date text and times text.
    void PickersToTexts(CFilterEdit& dateText, CFilterEdit& timesText) const;

    void SetEnabled(bool enabled) const;
    void Hide() const;

private:
    std::array<CDateTimePicker*, 3> m_pickers{};
};
