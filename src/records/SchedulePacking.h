// The schedule's packed date and times, and their texts.
#pragma once

class SectionRecord;

// The years the year byte (year - 1900) can carry.
inline constexpr int kFirstScheduleYear = 1900;
inline constexpr int kLastScheduleYear = 2155;

// Turns the packed fields of a schedule record read from a file (field 0:
// month, day, year - 1900, times byte; field 1: start hour, start minute, end
// hour, end minute) into the locale's date text and "start - end" times text.
// Missing bytes read as 0; a date or time that does not exist gives an empty
// text for it.
void ScheduleBytesToText(SectionRecord& record);

// The reverse, on the copy of a record that is about to be written. The times
// byte follows the lock flag. A date that does not read as a valid date is
// written as 1 January 1900; a date outside 1900-2155 is written as the
// nearest day inside it. A time that does not read is written as 00:00.
void ScheduleTextToBytes(SectionRecord& record);
