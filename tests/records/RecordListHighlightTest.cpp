// The record list's highlight is on the record the editor shows, whatever the click did.
#include "records/DataPageFixture.h"

namespace {

TEST_F(DataPageTest, TheListHighlightIsOnTheRecordShown) {
    const struct {
        const char* name;
        int radio, emptiedFields, clicked, shown, left; // clicked -1: below the last item
    } cases[] = {
        {"a refused record check keeps the record", kErDictRadio, 1, 1, 0, 2},
        // The emptied first record goes: the clicked place of the shortened list is shown, or its last.
        {"a commit deletes the emptied record", kTelephoneRadio, 3, 1, 1, 2},
        {"a commit deletes the emptied record before the last", kTelephoneRadio, 3, 2, 1, 2},
        {"a click below the last item chooses nothing", kTelephoneRadio, 0, -1, 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenDataPage({{kSectionTelephone, {Record({"ANNA"}), Record({"BERND"}), Record({"CARLA"})}},
                      {kSectionGermanRussian, {Record({"HAUS", "\xC4\xCE\xCC"}), Record({"BAUM", "\xC4\xC5\xD0"})}}});
        Load(c.radio);
        OpenEditor();
        for (int field = 0; field < c.emptiedFields; ++field)
            ClearField(field);
        MessageBoxSeam::QueueAnswer(IDOK_RESULT); // for the check's message
        QListWidget* list = Page()->RecordList();
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          c.clicked < 0 ? QPoint(10, last.bottom() + 10)
                                        : list->visualItemRect(list->item(c.clicked)).center());
        EXPECT_EQ(MessagesShown(), c.radio == kErDictRadio ? 1u : 0u) << "no question before a delete";
        EXPECT_EQ(list->count(), c.left);
        EXPECT_EQ(Modified(), c.emptiedFields > 0);
        EXPECT_EQ(Page()->m_nCurRecord, c.shown);
        EXPECT_EQ(list->currentRow(), c.shown);
        EXPECT_EQ(list->selectedItems(), QList<QListWidgetItem*>{list->item(c.shown)});
        m_main.reset();
        MessageBoxSeam::Reset();
    }
}

} // namespace
