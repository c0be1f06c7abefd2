// Builders for the records and bytes of section files in tests.
#pragma once

#include "records/SectionRecord.h"

#include <string>
#include <vector>

// A record of PC texts, converting through the given tables.
inline SectionRecord Record(std::vector<std::string> fields, int locked = 0, std::string handheldTable = "",
                            std::string pcTable = "") {
    SectionRecord record(std::move(handheldTable), std::move(pcTable));
    record.m_lstFields = std::move(fields);
    record.m_nLocked = locked;
    return record;
}

// A record: its data length, low byte first, then the data.
inline std::string RecordBytes(const std::string& data) {
    return std::string{static_cast<char>(data.size() & 0xFF), static_cast<char>(data.size() >> 8)} + data;
}

inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values)
        bytes += static_cast<char>(v);
    return bytes;
}

// A packet header with the length of the body, then the body.
inline std::string PacketBytes(char letter, int number, const std::string& body, char marker = 'L') {
    const int length = static_cast<int>(body.size()) + 5;
    return Bytes({letter, number, length & 0xFF, length >> 8, marker}) + body;
}
