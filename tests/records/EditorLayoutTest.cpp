// The record editor's layout for each section, and field limits that keep records within what the
// handheld can store.
#include "records/EditorLayout.h"

#include "records/SectionFormat.h"
#include "records/Sections.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Inside(const EditorRect& inner, const EditorRect& outer) {
    return inner.cx > 0 && inner.cy > 0 && inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.cx <= outer.x + outer.cx && inner.y + inner.cy <= outer.y + outer.cy;
}

bool Overlap(const EditorRect& a, const EditorRect& b) {
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

std::vector<EditorRect> Shown(const EditorLayout& layout) {
    std::vector<EditorRect> shown;
    for (const auto* group : {&layout.captions, &layout.edits, &layout.pickers})
        for (const auto& place : *group)
            if (place)
                shown.push_back(*place);
    if (layout.lockButton)
        shown.push_back(*layout.lockButton);
    return shown;
}

TEST(EditorLayoutTest, EachSectionShowsItsOwnControlsInsideTheFrameWithoutOverlap) {
    struct Case {
        int section;
        std::array<bool, 3> edits;
        int pickers;
        bool padlock;
    };
    const Case cases[] = {{kSectionTelephone, {true, true, true}, 0, true},
                          {kSectionSchedule, {false, false, true}, 3, true},
                          {kSectionGermanRussian, {true, true, false}, 0, false},
                          {kSectionRussianGerman, {true, true, false}, 0, false}};
    const EditorRect frames[] = {{243, 6, 219, 237}, {100, 50, 300, 400}, {0, 0, 160, 150}};
    for (const Case& c : cases) {
        for (const EditorRect& frame : frames) {
            SCOPED_TRACE(testing::Message() << c.section << " in " << frame.cx << "x" << frame.cy);
            const EditorLayout layout = ArrangeEditorLayout(c.section, frame, 12);
            int pickers = 0;
            for (std::size_t i = 0; i < 3; ++i) {
                EXPECT_EQ(layout.edits[i].has_value(), c.edits[i]) << i;
                pickers += layout.pickers[i].has_value();
            }
            EXPECT_EQ(pickers, c.pickers);
            EXPECT_EQ(layout.lockButton.has_value(), c.padlock);
            const std::vector<EditorRect> shown = Shown(layout);
            for (std::size_t i = 0; i < shown.size(); ++i) {
                EXPECT_TRUE(Inside(shown[i], frame)) << i;
                for (std::size_t j = i + 1; j < shown.size(); ++j)
                    EXPECT_FALSE(Overlap(shown[i], shown[j])) << i << " and " << j;
            }
            if (c.section == kSectionSchedule) {
                EXPECT_EQ(layout.pickers[1]->y, layout.pickers[2]->y) << "start and end side by side";
                EXPECT_LT(layout.pickers[0]->y, layout.pickers[1]->y) << "the date above them";
            }
            if (layout.lockButton) {
                EXPECT_EQ(layout.lockButton->cx, layout.lockButton->cy) << "the padlock is square";
                EXPECT_EQ(layout.lockButton->x + layout.lockButton->cx, frame.x + frame.cx - 12);
            }
        }
    }
}

TEST(EditorLayoutTest, RecordsFilledToTheFieldLimitsStillFitTheHandheldsRecord) {
    struct Case {
        int section;
        std::vector<int> limits;
        std::size_t dataBytes;
    };
    const Case cases[] = {{kSectionTelephone, {70, 55, 120}, 249},
                          {kSectionSchedule, {0, 0, 242}, 253},
                          {kSectionGermanRussian, {46, 192}, 241},
                          {kSectionRussianGerman, {46, 192}, 241}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        SectionRecord record("", "");
        for (int field = 0; field < SectionFieldCount(c.section); ++field) {
            EXPECT_EQ(FieldLengthLimit(c.section, field), c.limits[static_cast<std::size_t>(field)]) << field;
            record.m_lstFields.emplace_back(static_cast<std::size_t>(FieldLengthLimit(c.section, field)), 'W');
        }
        if (c.section == kSectionSchedule)
            record.m_lstFields = {"31/12/2155", "23:59:00 - 23:59:00", std::string(242, 'W')};
        SectionRecord converter("", "");
        const auto bytes = WriteSectionBytes({record}, c.section, converter);
        ASSERT_TRUE(bytes.has_value());
        const std::size_t data = static_cast<unsigned char>((*bytes)[5]) | static_cast<unsigned char>((*bytes)[6]) << 8;
        EXPECT_EQ(data, c.dataBytes);
        EXPECT_LE(data, kMaxRecordData);
    }
    EXPECT_EQ(FieldLengthLimit(kSectionMemo, 0), 0);
}

} // namespace
