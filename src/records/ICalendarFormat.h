// The schedule as iCalendar files, through libical.
#pragma once

#include "records/Interchange.h"

// One VEVENT per record with floating local date-times (a record whose times are both 00:00 is a
// whole day: DTSTART;VALUE=DATE). An end of 00:00 after a later start means no end and writes no
// DTEND; an end before the start lies on the next day. SUMMARY holds the text, CLASS:PRIVATE marks
// a locked record, and the UID comes from the record's contents, so that it stays the same from
// one export to the next.
std::string WriteICalendarEvents(const std::vector<SectionRecord>& records);

// Every VEVENT: its start and end in local time (times in a zone or UTC converted), a recurring
// event as its first occurrence, SUMMARY as the text, CLASS PRIVATE or CONFIDENTIAL as locked.
ForeignRead ReadICalendarEvents(std::string_view text);
