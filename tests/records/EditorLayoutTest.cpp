// Field limits that keep records within what the handheld can store.
#include "records/EditorLayout.h"

#include "records/SectionFormat.h"
#include "records/Sections.h"

#include <gtest/gtest.h>

namespace {

TEST(EditorLayoutTest, RecordsFilledToTheFieldLimitsStillFitTheHandheldsRecord) {
    for (int section : {kSectionTelephone, kSectionSchedule, kSectionGermanRussian, kSectionRussianGerman}) {
        SCOPED_TRACE(section);
        SectionRecord record("", "");
        for (int field = 0; field < SectionFieldCount(section); ++field)
            record.m_lstFields.emplace_back(static_cast<std::size_t>(FieldLengthLimit(section, field)), 'W');
        if (section == kSectionSchedule)
            record.m_lstFields = {"31/12/2155", "23:59:00 - 23:59:00", record.m_lstFields[2]};
        SectionRecord converter("", "");
        EXPECT_TRUE(WriteSectionBytes({record}, section, converter)) << "the record fits in its 256 bytes";
    }
    EXPECT_EQ(FieldLengthLimit(kSectionMemo, 0), 0);
}

} // namespace
