// The record list's highlight is on the record the editor shows, whatever the click did.
#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "records/DataPageFixture.h"
#include "records/Sections.h"

#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class RecordListHighlightTest : public DataPageTest {
public:
    void Click(int row) { ClickListItem(row); }
    void Empty(int fields) {
        for (int field = 0; field < fields; ++field)
            ClearField(field);
    }
    void ClickBelowLastItem() {
        QListWidget* list = Page()->RecordList();
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        ASSERT_LT(last.bottom() + 10, list->viewport()->height());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, last.bottom() + 10));
    }
    // The rows of the highlighted items.
    QList<int> Highlighted() const {
        QList<int> rows;
        for (const QListWidgetItem* item : Page()->RecordList()->selectedItems())
            rows << Page()->RecordList()->row(item);
        return rows;
    }
};

struct HighlightCase {
    const char* name;
    int radio;
    void (*steps)(RecordListHighlightTest& test);
    int shown; // the record the editor shows at the end
};

TEST_F(RecordListHighlightTest, TheHighlightIsOnTheRecordShown) {
    const HighlightCase cases[] = {
        {"a refused record check keeps the record", kErDictRadio,
         [](RecordListHighlightTest& test) {
             test.Empty(1);
             MessageBoxSeam::QueueAnswer(IDOK_RESULT);
             test.Click(1);
         },
         0},
        {"a commit deletes the emptied record", kTelephoneRadio,
         [](RecordListHighlightTest& test) {
             test.Empty(3);
             test.Click(2);
         },
         1},
        {"a click below the last item chooses nothing", kTelephoneRadio,
         [](RecordListHighlightTest& test) {
             test.Click(1);
             test.ClickBelowLastItem();
         },
         1},
    };
    for (const HighlightCase& c : cases) {
        SCOPED_TRACE(c.name);
        OpenDataPage({{kSectionTelephone, {Record({"ANNA", "1"}), Record({"BERND", "2"}), Record({"CARLA", "3"})}},
                      {kSectionGermanRussian, {Record({"HAUS", "\xC4\xCE\xCC"}), Record({"BAUM", "\xC4\xC5\xD0"})}}});
        Load(c.radio);
        OpenEditor();
        c.steps(*this);
        EXPECT_EQ(Page()->m_nCurRecord, c.shown);
        EXPECT_EQ(Page()->RecordList()->currentRow(), c.shown);
        EXPECT_EQ(Highlighted(), QList<int>{c.shown});
        m_main.reset();
    }
}

} // namespace
