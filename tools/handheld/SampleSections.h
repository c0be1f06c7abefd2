// The sections the simulated handheld holds out of the box, made from readable tables.
#pragma once

#include <string>
#include <vector>

// One record as the handheld stores it: the lock byte (or, in the schedule,
// the date and times) and the fields, already in the handheld's character set.
// Packs records into packets as the handheld's section files hold them: a
// packet's records fill at most 2394 bytes, packets are numbered from 0 and
// only the last is marked 'L'.
std::string PackSection(char letter, const std::vector<std::string>& records);

// A telephone book with German and Russian entries (T), a year of
// appointments (S), and the two user dictionaries (E, R), each several
// packets long. Empty for any other letter.
std::string SampleSection(char letter);
