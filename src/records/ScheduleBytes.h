// Byte positions and values of the schedule's packed date and times.
#pragma once

#include <cstddef>

// Field 0 of a packed schedule record.
inline constexpr std::size_t kDateMonth = 0;
inline constexpr std::size_t kDateDay = 1;
inline constexpr std::size_t kDateYear = 2;
inline constexpr std::size_t kDateTimesByte = 3;
inline constexpr std::size_t kPackedDateSize = 4;

// Field 1 of a packed schedule record.
inline constexpr std::size_t kStartHour = 0;
inline constexpr std::size_t kStartMinute = 1;
inline constexpr std::size_t kEndHour = 2;
inline constexpr std::size_t kEndMinute = 3;
inline constexpr std::size_t kPackedTimesSize = 4;

// The times byte says which times a record carries and holds its lock flag.
// The PC always writes both times.
inline constexpr unsigned char kTimesByteUnlocked = 0x6E;
inline constexpr unsigned char kTimesByteLocked = 0xEE;
