// The schedule as iCalendar files, through libical.
#include "records/ICalendarFormat.h"

#include "records/ScheduleTexts.h"

#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>

namespace {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// libical's default is to end the program on a malformed value; a file from anywhere must not.
void KeepLibicalErrorsQuiet() { icalerror_set_errors_are_fatal(0); }

icaltimetype LocalTime(int year, int month, int day, int hour, int minute, bool wholeDay) {
    icaltimetype time = icaltime_null_time();
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.is_date = wholeDay;
    return time;
}

// A UID that an export gives the same record every time: a hash of its contents, and which of
// several equal records it is.
std::string Uid(const SectionRecord& record, std::map<std::uint64_t, int>& seen) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::string& field : record.m_lstFields)
        for (char c : field + '\0')
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    hash ^= record.m_nLocked ? 1 : 0;
    char uid[64];
    std::snprintf(uid, sizeof uid, "%016llx-%d@kl840t-link", static_cast<unsigned long long>(hash), seen[hash]++);
    return uid;
}

icalcomponent* Event(const SectionRecord& record, icaltimetype stamp, std::map<std::uint64_t, int>& seen) {
    auto field = [&](std::size_t f) { return f < record.m_lstFields.size() ? record.m_lstFields[f] : std::string(); };
    const DateTimeValue::Parts date = ScheduleDateParts(field(0)).value_or(DateTimeValue::Parts{1900, 1, 1});
    const ScheduleTimes times = ScheduleTimesParts(field(1)).value_or(ScheduleTimes{});
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid(Uid(record, seen).c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
    const bool wholeDay = times == ScheduleTimes{};
    icalcomponent_set_dtstart(event,
                              LocalTime(date.year, date.month, date.day, times.startHour, times.startMinute, wholeDay));
    const int start = times.startHour * 60 + times.startMinute, end = times.endHour * 60 + times.endMinute;
    if (!wholeDay && end != 0) {
        icaltimetype endTime = LocalTime(date.year, date.month, date.day, times.endHour, times.endMinute, false);
        if (end < start)
            icaltime_adjust(&endTime, 1, 0, 0, 0);
        icalcomponent_set_dtend(event, endTime);
    }
    icalcomponent_set_summary(event, ExportFieldText(field(2)).c_str());
    if (record.m_nLocked)
        icalcomponent_add_property(event, icalproperty_new_class(ICAL_CLASS_PRIVATE));
    return event;
}

// ---- reading

// The line structure libical does not report: every content line has a name and a colon, and
// every BEGIN has its END. Notes where each VEVENT begins.
bool CheckLines(std::string_view text, std::vector<std::size_t>& eventLines, std::string& error,
                std::size_t& errorLine) {
    std::vector<std::pair<std::string, std::size_t>> open;
    std::string line;
    std::size_t number = 0, lineStart = 0;
    auto check = [&]() {
        if (line.find_first_not_of(" \t") == std::string::npos)
            return true;
        const std::size_t colon = line.find(':');
        const std::size_t nameEnd = line.find_first_of(";:");
        if (colon == std::string::npos || nameEnd == 0) {
            error = "a line without a property name and a colon";
            errorLine = lineStart;
            return false;
        }
        std::string name = line.substr(0, nameEnd), value = line.substr(colon + 1);
        for (char& c : name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (char& c : value)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (name == "BEGIN") {
            if (value == "VEVENT")
                eventLines.push_back(lineStart);
            open.emplace_back(value, lineStart);
        } else if (name == "END") {
            if (open.empty() || open.back().first != value) {
                error = "END:" + value + " does not close the component that is open";
                errorLine = lineStart;
                return false;
            }
            open.pop_back();
        }
        return true;
    };
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view physical = text.substr(start, end - start);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        ++number;
        if (!physical.empty() && (physical[0] == ' ' || physical[0] == '\t') && number > 1) {
            line += physical.substr(1);
            continue;
        }
        if (!check())
            return false;
        line = physical;
        lineStart = number;
    }
    if (!check())
        return false;
    if (!open.empty()) {
        error = "BEGIN:" + open.back().first + " has no END";
        errorLine = open.back().second;
        return false;
    }
    return true;
}

struct LocalParts {
    int year, month, day, hour, minute;
};

// A time in a zone (or UTC) moved to this machine's local time; a floating one as it is.
LocalParts ToLocal(icaltimetype time) {
    if (time.is_date || !time.zone)
        return {time.year, time.month, time.day, time.hour, time.minute};
    const std::time_t utc = icaltime_as_timet_with_zone(time, time.zone);
    std::tm local{};
    localtime_r(&utc, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

void CollectEvents(icalcomponent* component, std::vector<icalcomponent*>& events) {
    if (icalcomponent_isa(component) == ICAL_VEVENT_COMPONENT) {
        events.push_back(component);
        return;
    }
    for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); child;
         child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
        CollectEvents(child, events);
}

bool IsPrivate(icalcomponent* event) {
    icalproperty* property = icalcomponent_get_first_property(event, ICAL_CLASS_PROPERTY);
    if (!property)
        return false;
    const icalproperty_class value = icalproperty_get_class(property);
    return value == ICAL_CLASS_PRIVATE || value == ICAL_CLASS_CONFIDENTIAL;
}

} // namespace

std::string WriteICalendarEvents(const std::vector<SectionRecord>& records) {
    KeepLibicalErrorsQuiet();
    Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//kl840t-link//Schedule//EN"));
    std::map<std::uint64_t, int> seen;
    const icaltimetype stamp = icaltime_current_time_with_zone(icaltimezone_get_utc_timezone());
    for (const SectionRecord& record : records)
        icalcomponent_add_component(calendar.get(), Event(record, stamp, seen));
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string out = text ? text : "";
    std::free(text);
    return out;
}

ForeignRead ReadICalendarEvents(std::string_view text) {
    KeepLibicalErrorsQuiet();
    ForeignRead read;
    std::vector<std::size_t> eventLines;
    if (!CheckLines(text, eventLines, read.error, read.errorLine))
        return read;
    const std::string terminated(text);
    Component root(icalparser_parse_string(terminated.c_str()));
    if (!root)
        return read;
    std::vector<icalcomponent*> events;
    CollectEvents(root.get(), events);
    for (std::size_t e = 0; e < events.size(); ++e) {
        icalcomponent* event = events[e];
        const std::size_t line = e < eventLines.size() ? eventLines[e] : 0;
        if (icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) {
            ++read.leftOut; // a changed occurrence of a recurring event, which comes in as its first
            continue;
        }
        const icaltimetype start = icalcomponent_get_dtstart(event);
        if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start)) {
            read.records.clear();
            read.error = "the event that begins here has no valid DTSTART";
            read.errorLine = line;
            return read;
        }
        const LocalParts from = ToLocal(start);
        ScheduleTimes times{from.hour, from.minute, 0, 0};
        const bool hasEnd = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY) ||
                            icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY);
        if (hasEnd && !start.is_date) {
            const icaltimetype end = icalcomponent_get_dtend(event);
            if (!icaltime_is_null_time(end) && icaltime_is_valid_time(end)) {
                const LocalParts to = ToLocal(end);
                times.endHour = to.hour;
                times.endMinute = to.minute;
            }
        }
        const std::optional<std::string> date = ScheduleDateText(from.year, from.month, from.day);
        const std::optional<std::string> timesText = ScheduleTimesText(times);
        if (!date || !timesText) {
            ++read.leftOut; // a day the handheld cannot carry
            continue;
        }
        if (icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) ||
            icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY))
            ++read.firstOccurrences;
        const char* summary = icalcomponent_get_summary(event);
        read.records.push_back({{*date, *timesText, summary ? summary : ""}, IsPrivate(event)});
    }
    return read;
}
