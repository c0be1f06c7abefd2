// One record of a data section in memory, and its character conversion.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The fields are PC text while the record is in memory. The record carries the
// profile's conversion table (pairs of handheld and PC bytes, position by
// position) and converts its own fields at the border to the section files.
//
// Copying a record copies its fields and lock flag only: a copy starts with no
// table, and an assigned-to record keeps the table it had. The loader and the
// writer convert through one default-constructed record, so the table they use
// is always the profile's.
class SectionRecord {
public:
    // Reads both tables from the profile, anew on every construction.
    SectionRecord();
    SectionRecord(std::string handheldTable, std::string pcTable);
    SectionRecord(const SectionRecord& other);
    SectionRecord(SectionRecord&& other) noexcept;
    SectionRecord& operator=(const SectionRecord& other);
    SectionRecord& operator=(SectionRecord&& other) noexcept;
    virtual ~SectionRecord();

    void HandheldCharToPc(char& c) const;
    void PcCharToHandheld(char& c) const;

    // Convert the first fieldCount fields in place; the schedule (section 2)
    // converts its third field only, the first two hold its packed date and
    // times. Line breaks are LF on the handheld and CR LF on the PC.
    void ToPcText(std::uint8_t section, int fieldCount);
    void ToHandheldText(std::uint8_t section, int fieldCount);

    std::vector<std::string> m_lstFields;
    int m_nLocked = 0;
    std::string m_strHandheldTable;
    std::string m_strPcTable;
};
