// One record of a data section in memory, and its character conversion.
#include "records/SectionRecord.h"

#include "app/Profile.h"
#include "records/Sections.h"

#include <utility>

namespace {

// The first match on the source side wins. A table whose partner string is
// shorter leaves a character matched beyond its end unchanged.
void Translate(char& c, const std::string& from, const std::string& to) {
    const std::size_t pos = from.find(c);
    if (pos != std::string::npos && pos < to.size())
        c = to[pos];
}

bool IsConvertedField(std::uint8_t section, int field) { return section != kSectionSchedule || field == 2; }

} // namespace

SectionRecord::SectionRecord()
    : m_strHandheldTable(ReadSetting(kSettingHandheldTable)), m_strPcTable(ReadSetting(kSettingPcTable)) {}

SectionRecord::SectionRecord(std::string handheldTable, std::string pcTable)
    : m_strHandheldTable(std::move(handheldTable)), m_strPcTable(std::move(pcTable)) {}

SectionRecord::SectionRecord(const SectionRecord& other) : m_lstFields(other.m_lstFields), m_nLocked(other.m_nLocked) {}

SectionRecord::SectionRecord(SectionRecord&& other) noexcept
    : m_lstFields(std::move(other.m_lstFields)), m_nLocked(other.m_nLocked) {}

SectionRecord& SectionRecord::operator=(const SectionRecord& other) {
    m_lstFields = other.m_lstFields;
    m_nLocked = other.m_nLocked;
    return *this;
}

SectionRecord& SectionRecord::operator=(SectionRecord&& other) noexcept {
    m_lstFields = std::move(other.m_lstFields);
    m_nLocked = other.m_nLocked;
    return *this;
}

SectionRecord::~SectionRecord() = default;

void SectionRecord::HandheldCharToPc(char& c) const { Translate(c, m_strHandheldTable, m_strPcTable); }

void SectionRecord::PcCharToHandheld(char& c) const { Translate(c, m_strPcTable, m_strHandheldTable); }

void SectionRecord::ToPcText(std::uint8_t section, int fieldCount) {
    for (int f = 0; f < fieldCount && f < static_cast<int>(m_lstFields.size()); ++f) {
        if (!IsConvertedField(section, f))
            continue;
        std::string converted;
        converted.reserve(m_lstFields[f].size() + 8);
        for (char c : m_lstFields[f]) {
            HandheldCharToPc(c);
            if (c == '\n')
                converted += '\r';
            converted += c;
        }
        m_lstFields[f] = std::move(converted);
    }
}

void SectionRecord::ToHandheldText(std::uint8_t section, int fieldCount) {
    for (int f = 0; f < fieldCount && f < static_cast<int>(m_lstFields.size()); ++f) {
        if (!IsConvertedField(section, f))
            continue;
        std::string converted;
        converted.reserve(m_lstFields[f].size());
        for (char c : m_lstFields[f]) {
            PcCharToHandheld(c);
            if (c != '\r')
                converted += c;
        }
        m_lstFields[f] = std::move(converted);
    }
}
