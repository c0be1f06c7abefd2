// The telephone book as vCard 4.0 files; files of versions 3.0 and 2.1 are read too.
#pragma once

#include "records/Interchange.h"

// One card per record: FN and N from the name (N split at the first comma, else at the last
// space), TEL from the number, NOTE from the third field, CATEGORIES:LOCKED for a locked record.
std::string WriteVCards(const std::vector<SectionRecord>& records);

// Per card: FN (else N as "family, given"), the first TEL (a preferred one first), and every ADR
// and NOTE joined, one per line, as the third field; LOCKED among the CATEGORIES locks it.
ForeignRead ReadVCards(std::string_view text);
