// The Data page's way to other programs' files: the record list's context menu and dropped files.
#include "records/DataPageInterchange.h"

#include "records/DataPageFixture.h"

#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {

class DataPageInterchangeTest : public DataPageTest {
protected:
    void TearDown() override {
        DataPageInterchange::SetFileQuestion(nullptr);
        DataPageTest::TearDown();
    }

    QString File(const char* name) const { return QString::fromStdString((m_temp.Home() / name).string()); }

    void Drop(const QString& file) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        QWidget* viewport = Page()->RecordList()->viewport();
        const QPoint centre = viewport->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
    }

    // Right-clicks the list and chooses the menu's entry; the file dialog answers with the file.
    void ChooseFromMenu(int entry, const QString& file) {
        DataPageInterchange::SetFileQuestion([&](QWidget*, bool save, const QString& filters) {
            m_filters = filters;
            EXPECT_EQ(save, entry == 0);
            return file;
        });
        QTimer::singleShot(0, [entry] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu);
            menu->setActiveAction(menu->actions().at(entry));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        emit Page()->RecordList()->customContextMenuRequested(QPoint(5, 5));
    }

    QString m_filters;
};

TEST_F(DataPageInterchangeTest, TheListedRecordsGoOutByTheMenuAndFilesComeInByTheMenuOrDropped) {
    OpenDataPage({{kSectionTelephone, {Record({"ANNA", "030", "BERLIN"}, 1)}}});
    Load(kTelephoneRadio);
    ChooseFromMenu(0, File("book")); // the section's first format is added
    EXPECT_EQ(m_filters.toStdString(), "vCard-Dateien (*.vcf);;CSV-Dateien (*.csv)");
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    ChooseFromMenu(1, File("book.vcf")); // the record comes back as it is, lock and all
    EXPECT_EQ(LastMessage(), Text("149") + " 1\r\n" + Text("158") + " 1");
    EXPECT_FALSE(Modified()) << "nothing new came in";

    WriteFileBytes(m_temp.Home() / "dates.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20261205T090000\r\n"
                                                "END:VEVENT\r\nEND:VCALENDAR\r\n");
    WriteFileBytes(m_temp.Home() / "bad.vcf", "BEGIN:VCARD\r\nEND:VCARD\r\nBEGIN:VCARD\r\n");
    WriteFileBytes(m_temp.Home() / "more.csv",
                   "name,phone,note,locked\r\nAnna,030,Berlin,1\r\nbernd,040,\"a\nb\",0\r\n");
    const std::pair<const char*, std::string> drops[] = {
        {"dates.ics", Text("145")}, // the format does not carry the section
        {"bad.vcf", Text("148") + " 3"},
        {"more.csv", Text("149") + " 2\r\n" + Text("156") + " 15\r\n" + Text("158") + " 1"}};
    for (const auto& [file, message] : drops) {
        SCOPED_TRACE(file);
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        Drop(File(file));
        EXPECT_EQ(LastMessage(), message);
    }
    EXPECT_EQ(ListTexts(), QStringList({"ANNA", "BERND"}));
    EXPECT_TRUE(Modified());
    EXPECT_EQ(ReadSection(kSectionTelephone).size(), 1u) << "the user saves as usual";
}

} // namespace
