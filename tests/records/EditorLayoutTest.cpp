// Field limits that keep records within what the handheld can store.
#include "records/EditorLayout.h"

#include "records/SectionFormat.h"
#include "records/Sections.h"

#include <gtest/gtest.h>

namespace {

TEST(EditorLayoutTest, RecordsFilledToTheFieldLimitsStillFitTheHandheldsRecord) {
    const std::pair<int, std::vector<int>> cases[] = {{kSectionTelephone, {70, 55, 120}},
                                                      {kSectionSchedule, {0, 0, 242}},
                                                      {kSectionGermanRussian, {46, 192}},
                                                      {kSectionRussianGerman, {46, 192}}};
    for (const auto& [section, limits] : cases) {
        SCOPED_TRACE(section);
        SectionRecord record("", "");
        for (int field = 0; field < SectionFieldCount(section); ++field) {
            EXPECT_EQ(FieldLengthLimit(section, field), limits[static_cast<std::size_t>(field)]) << field;
            record.m_lstFields.emplace_back(static_cast<std::size_t>(FieldLengthLimit(section, field)), 'W');
        }
        if (section == kSectionSchedule)
            record.m_lstFields = {"31/12/2155", "23:59:00 - 23:59:00", std::string(242, 'W')};
        SectionRecord converter("", "");
        EXPECT_TRUE(WriteSectionBytes({record}, section, converter)) << "the record fits in its 256 bytes";
    }
    EXPECT_EQ(FieldLengthLimit(kSectionMemo, 0), 0);
}

} // namespace
