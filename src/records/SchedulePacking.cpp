// The schedule's packed date and times, and their texts.
#include "records/SchedulePacking.h"

#include "records/DateTimeText.h"
#include "records/ScheduleBytes.h"
#include "records/SectionRecord.h"

#include <string>
#include <string_view>

namespace {

constexpr std::string_view kTimesSeparator = " - ";

int ByteAt(const std::vector<std::string>& fields, std::size_t field, std::size_t pos) {
    if (field >= fields.size() || pos >= fields[field].size())
        return 0;
    return static_cast<unsigned char>(fields[field][pos]);
}

std::string TimeText(int hour, int minute) {
    DateTimeText value;
    value.SetTime(hour, minute, 0);
    return value.FormatDateTime(kFormatTime);
}

DateTimeValue::Parts ParsedTime(std::string_view text) {
    DateTimeText value;
    value.ParseDateTime(text);
    return value.Split().value_or(DateTimeValue::Parts{});
}

DateTimeValue::Parts ScheduleDate(std::string_view text) {
    DateTimeText value;
    value.ParseDateTime(text);
    DateTimeValue::Parts date = value.Split().value_or(DateTimeValue::Parts{});
    if (!value.IsValid() || date.year < kFirstScheduleYear)
        return {kFirstScheduleYear, 1, 1};
    if (date.year > kLastScheduleYear)
        return {kLastScheduleYear, 12, 31};
    return date;
}

} // namespace

void ScheduleBytesToText(SectionRecord& record) {
    auto& fields = record.m_lstFields;
    DateTimeText date;
    date.SetDate(ByteAt(fields, 0, kDateYear) + kFirstScheduleYear, ByteAt(fields, 0, kDateMonth),
                 ByteAt(fields, 0, kDateDay));
    std::string times = TimeText(ByteAt(fields, 1, kStartHour), ByteAt(fields, 1, kStartMinute));
    times += kTimesSeparator;
    times += TimeText(ByteAt(fields, 1, kEndHour), ByteAt(fields, 1, kEndMinute));
    if (fields.size() < 2)
        fields.resize(2);
    fields[0] = date.FormatDateTime(kFormatDate);
    fields[1] = std::move(times);
}

void ScheduleTextToBytes(SectionRecord& record) {
    auto& fields = record.m_lstFields;
    if (fields.size() < 2)
        fields.resize(2);
    const DateTimeValue::Parts date = ScheduleDate(fields[0]);
    const std::string_view times = fields[1];
    const std::size_t split = times.find(kTimesSeparator);
    const DateTimeValue::Parts start = ParsedTime(times.substr(0, split));
    const DateTimeValue::Parts end =
        ParsedTime(split == std::string_view::npos ? std::string_view() : times.substr(split + kTimesSeparator.size()));

    std::string packedDate(kPackedDateSize, '\0');
    packedDate[kDateMonth] = static_cast<char>(date.month);
    packedDate[kDateDay] = static_cast<char>(date.day);
    packedDate[kDateYear] = static_cast<char>(date.year - kFirstScheduleYear);
    packedDate[kDateTimesByte] = static_cast<char>(record.m_nLocked ? kTimesByteLocked : kTimesByteUnlocked);
    std::string packedTimes(kPackedTimesSize, '\0');
    packedTimes[kStartHour] = static_cast<char>(start.hour);
    packedTimes[kStartMinute] = static_cast<char>(start.minute);
    packedTimes[kEndHour] = static_cast<char>(end.hour);
    packedTimes[kEndMinute] = static_cast<char>(end.minute);
    fields[0] = std::move(packedDate);
    fields[1] = std::move(packedTimes);
}
