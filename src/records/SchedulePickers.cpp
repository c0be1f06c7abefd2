// The schedule editor's three pickers and the date and times texts of a record that they stand for.
#include "records/SchedulePickers.h"

#include "controls/CFilterEdit.h"
#include "records/DateTimeText.h"
#include "records/SectionRecord.h"

#include <string_view>

namespace {

constexpr std::string_view kTimesSeparator = " - ";

DateTimeText DateOnly(const DateTimeValue& value) {
    DateTimeText date;
    if (const auto parts = value.Split())
        date.SetDate(parts->year, parts->month, parts->day);
    return date;
}

DateTimeText TimeOnly(const DateTimeValue& value) {
    DateTimeText time;
    if (const auto parts = value.Split())
        time.SetTime(parts->hour, parts->minute, parts->second);
    return time;
}

} // namespace

void SchedulePickers::Create(QWidget* page) {
    const std::pair<int, unsigned> pickers[] = {
        {IDC_DATE_PICKER, DTS_UPDOWN}, {IDC_START_PICKER, DTS_TIMEFORMAT}, {IDC_END_PICKER, DTS_TIMEFORMAT}};
    for (std::size_t i = 0; i < 3; ++i) {
        auto* picker = new CDateTimePicker;
        picker->Create(pickers[i].second | WS_TABSTOP, QRect(0, 0, 80, 20), page, pickers[i].first);
        picker->hide();
        m_pickers[i] = picker;
    }
}

void SchedulePickers::ShowScheduleInPickers(const SectionRecord* record, bool present) {
    if (present || !record) {
        const DateTimeValue now = CDateTimePicker::PresentMoment();
        for (CDateTimePicker* picker : m_pickers)
            picker->SetTime(now);
        return;
    }
    const auto& fields = record->m_lstFields;
    if (fields.empty())
        return;
    DateTimeText value;
    value.ParseDateTime(fields[0]);
    Picker(0).SetTime(value);
    const std::string_view times = fields.size() > 1 ? std::string_view(fields[1]) : std::string_view();
    const std::size_t split = times.find(kTimesSeparator);
    value.ParseDateTime(times.substr(0, split));
    Picker(1).SetTime(value);
    value.ParseDateTime(split == std::string_view::npos ? std::string_view()
                                                        : times.substr(split + kTimesSeparator.size()));
    Picker(2).SetTime(value);
}

void SchedulePickers::PickersToTexts(CFilterEdit& dateText, CFilterEdit& timesText) const {
    dateText.SetText(DateOnly(Picker(0).GetTime()).FormatDateTime(kFormatDate));
    std::string times = TimeOnly(Picker(1).GetTime()).FormatDateTime(kFormatTime);
    times += kTimesSeparator;
    times += TimeOnly(Picker(2).GetTime()).FormatDateTime(kFormatTime);
    timesText.SetText(times);
}

void SchedulePickers::SetEnabled(bool enabled) const {
    for (CDateTimePicker* picker : m_pickers)
        picker->setEnabled(enabled);
}

void SchedulePickers::Hide() const {
    for (CDateTimePicker* picker : m_pickers)
        picker->hide();
}
