// The Data page as a whole: the section choice, loading (what a damaged file left out is told), the
// list and its field choice, saving (a save that fails keeps the edits), the questions before changes
// are dropped, the keys, the two views, and other programs' files through the list's context menu or
// dropped on it.
#include "records/DataPageFixture.h"
#include "records/DataPageInterchange.h"
#include "records/DataPageViews.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

// The list shows the chosen field of every record in file order, on one line.
TEST_F(DataPageTest, ANewPageHasNothingLoadedAndEnterOnOkLoadsTheTelephoneBook) {
    OpenDataPage({{kSectionTelephone,
                   {Record({"ZORA", "1", "A\r\nB"}), Record({"ANTON", "2", "C"}), Record({"MAX", "3", ""})}}});
    EXPECT_TRUE(IsDlgButtonChecked(Page(), kTelephoneRadio));
    EXPECT_FALSE(Control(1021)->isVisible()) << "the memo is not offered";
    for (int button = 0; button < kCommandButtonCount; ++button)
        EXPECT_FALSE(CommandEnabled(button)) << button;

    Control(1)->setFocus();
    QTest::keyClick(Control(1), Qt::Key_Return);
    EXPECT_EQ(ListTexts(), (QStringList{"ZORA", "ANTON", "MAX"})) << "not sorted";
    EXPECT_FALSE(Control(6666)->isVisible());
    for (int button : {kSaveButton, kNewButton, kDeleteButton, kViewButton})
        EXPECT_TRUE(CommandEnabled(button)) << button;
    EXPECT_EQ(FieldText(0), "ZORA");
    EXPECT_EQ(Page()->m_bSelectView, 1) << "a load keeps the view";

    QComboBox* combo = Page()->FieldCombo();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(ListTexts(), (QStringList{"A  B", "C", ""}));
}

TEST_F(DataPageTest, AMissingSectionFileIsCreatedOnlyWhenTheUserAgrees) {
    const std::tuple<int, int, int> cases[] = {
        {kTelephoneRadio, 1, IDOK_RESULT}, {kReDictRadio, 4, IDOK_RESULT}, {kScheduleRadio, 2, IDCANCEL_RESULT}};
    OpenDataPage();
    for (const auto& [radio, section, answer] : cases) {
        SCOPED_TRACE(section);
        MessageBoxSeam::Reset();
        MessageBoxSeam::QueueAnswer(answer);
        Load(radio);
        ASSERT_EQ(MessagesShown(), 1u);
        EXPECT_EQ(LastMessage(), Text("48"));
        if (answer == IDOK_RESULT) {
            EXPECT_EQ(ReadFileBytes(GetSectionFileName(section)), Bytes({SectionLetter(section), 0, 0, 0, 'L'}));
            EXPECT_TRUE(ListTexts().isEmpty());
            EXPECT_TRUE(Field(0)->isReadOnly()) << "no record to edit";
            EXPECT_TRUE(CommandEnabled(kNewButton));
        } else {
            EXPECT_FALSE(std::filesystem::exists(GetSectionFileName(section)));
            EXPECT_TRUE(Control(6666)->isVisible()) << "the list area stays as it was";
            EXPECT_FALSE(CommandEnabled(kSaveButton));
        }
    }
}

TEST_F(DataPageTest, AnEditShowsInTheListAfterAnotherRecordIsChosenAndIsSavedOnLeavingTheTab) {
    OpenRecords(kSectionTelephone, kPhoneBook);
    TypeInto(0, "-MARIA");
    EXPECT_EQ(ListTexts()[0], "ANNA") << "nothing reaches the record before the editor is left";
    EXPECT_TRUE(CommandEnabled(kUndoButton));
    ClickListItem(2);
    EXPECT_EQ(ListTexts(), (QStringList{"ANNA-MARIA", "BERND", "CARLA"}));
    EXPECT_EQ(FieldText(0), "CARLA");

    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    ClickTab(0);
    ASSERT_EQ(MessagesShown(), 1u);
    EXPECT_EQ(LastMessage(), Text("80"));
    EXPECT_EQ(g_nCurrentTab, 0);
    const auto onDisk = ReadSection(kSectionTelephone);
    ASSERT_EQ(onDisk.size(), 3u);
    EXPECT_EQ(onDisk[0].m_lstFields, (std::vector<std::string>{"ANNA-MARIA", "030 111", "BERLIN"}));
}

TEST_F(DataPageTest, DroppingChangesAsksFirstAndCancelDropsThem) {
    // The radio clicked, or 1 for the OK button (a reload), and the answer.
    for (const auto& [radio, answer] : {std::pair{kErDictRadio, IDOK_RESULT}, std::pair{1, IDCANCEL_RESULT}}) {
        SCOPED_TRACE(radio);
        OpenRecords(kSectionTelephone, kPhoneBook, false);
        ClickCommand(kDeleteButton);
        MessageBoxSeam::QueueAnswer(answer);
        ClickButton(Control(radio));
        ASSERT_EQ(MessagesShown(), 1u);
        EXPECT_EQ(LastMessage(), Text("80"));
        EXPECT_EQ(ReadSection(kSectionTelephone).size(), answer == IDOK_RESULT ? 2u : 3u);
        EXPECT_FALSE(Modified());
        if (radio == 1) {
            EXPECT_EQ(ListTexts().size(), 3) << "reloaded from the file";
        } else {
            EXPECT_TRUE(Control(6666)->isVisible());
            EXPECT_FALSE(CommandEnabled(kSaveButton));
        }
    }
}

TEST_F(DataPageTest, EscapeDoesNothingAndEnterInAFieldIsTheDefaultButton) {
    OpenRecords(kSectionTelephone, kPhoneBook);
    for (QWidget* target : std::vector<QWidget*>{Field(0), Page()->RecordList(), Control(1081)}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
    }
    EXPECT_TRUE(Page()->isVisible());
    EXPECT_EQ(Page()->m_bSelectView, 0);

    // Ctrl+Enter types a line break; Enter alone is OK, the load, which asks about the change first.
    TypeInto(2, "X");
    QTest::keyClick(Field(2), Qt::Key_Return, Qt::ControlModifier);
    TypeInto(2, "Y");
    EXPECT_EQ(FieldText(2), "BERLINX\r\nY");
    MessageBoxSeam::QueueAnswer(IDCANCEL_RESULT);
    QTest::keyClick(Field(2), Qt::Key_Return);
    EXPECT_EQ(LastMessage(), Text("80"));
    EXPECT_EQ(FieldText(2), "BERLIN") << "reloaded";
}

// The view button swaps the page's halves, until the tab is left.
TEST_F(DataPageTest, TheViewSwitchSwapsThePagesHalvesUntilTheTabIsLeft) {
    OpenRecords(kSectionTelephone, kPhoneBook, false);
    int slideSteps = 0;
    DataPageViews::SetSlidePause([&](QWidget*) { ++slideSteps; });
    for (int view : {0, 1}) {
        SCOPED_TRACE(view);
        ClickCommand(kViewButton);
        EXPECT_EQ(Control(1069)->isVisible(), view == 1);
        EXPECT_EQ(Field(0)->isVisible(), view == 0);
        EXPECT_EQ(Page()->LockBar()->isVisible(), view == 0);
        EXPECT_EQ(Page()->CommandBar()->ButtonState(kViewButton), view == 0 ? 1 : 0);
    }
    EXPECT_GT(slideSteps, 2) << "the page slides";
    // Leaving the tab from the editor comes back to a new section choice.
    ClickCommand(kViewButton);
    ClickTab(0);
    ClickTab(1);
    EXPECT_EQ(Page()->m_bSelectView, 1);
    EXPECT_TRUE(Control(6666)->isVisible());
    EXPECT_FALSE(CommandEnabled(kViewButton));
}

TEST_F(DataPageTest, ALoadThatLeftSomethingOutSaysWhatAndAFailedSaveKeepsTheEditsLoaded) {
    OpenDataPage();
    const std::filesystem::path file = GetSectionFileName(kSectionTelephone);
    const std::string records =
        RecordBytes(std::string("rANNA\0\0\0", 8)) + RecordBytes("r" + std::string(254, 'C') + '\0');
    WriteFileBytes(file, PacketBytes('T', 0, records, 'N'));
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    Load(kTelephoneRadio);
    EXPECT_EQ(MessageBoxSeam::Shown().at(0).icon, IDI_HAND);
    EXPECT_EQ(LastMessage(), Text("150") + " 2\r\n\r\n" + Text("151") + " 2");

    ClickCommand(kDeleteButton);
    std::filesystem::remove(file);
    std::filesystem::create_directory(file); // the save before leaving the records cannot replace it
    // A reload, another section and another tab each save first.
    const std::function<void()> leaves[] = {[this] { ClickButton(Control(IDOK)); },
                                            [this] { ClickButton(Control(kErDictRadio)); }, [this] { ClickTab(0); }};
    for (std::size_t i = 0; i < std::size(leaves); ++i) {
        SCOPED_TRACE(i);
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        MessageBoxSeam::QueueAnswer(IDOK_RESULT);
        leaves[i]();
        EXPECT_EQ(LastMessage(), Text("49"));
        EXPECT_EQ(g_nCurrentTab, 1);
        EXPECT_TRUE(Modified());
        EXPECT_EQ(ListTexts().size(), 1) << "the edits stay";
        EXPECT_TRUE(IsDlgButtonChecked(Page(), kTelephoneRadio));
    }
    std::filesystem::remove(file);
}

namespace {

class DataPageInterchangeTest : public DataPageTest {
protected:
    // Drops the file of that name in the home folder on the list.
    void Drop(const char* name) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString((m_temp.Home() / name).string()))});
        QWidget* viewport = Page()->RecordList()->viewport();
        const QPoint centre = viewport->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
    }

    // Right-clicks the list and chooses the menu's entry; the file dialog answers with the file of that
    // name in the home folder.
    void ChooseFromMenu(int entry, const char* name) {
        DataPageInterchange::SetFileQuestion([&](QWidget*, bool save, const QString& filters) {
            m_filters = filters;
            EXPECT_EQ(save, entry == 0);
            return QString::fromStdString((m_temp.Home() / name).string());
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
    OpenRecords(kSectionTelephone, {Record({"ANNA", "030", "BERLIN"}, 1)}, false);
    ChooseFromMenu(0, "book"); // the section's first format is added
    EXPECT_EQ(m_filters.toStdString(), "vCard-Dateien (*.vcf);;CSV-Dateien (*.csv)");
    MessageBoxSeam::QueueAnswer(IDOK_RESULT);
    ChooseFromMenu(1, "book.vcf"); // the record comes back as it is, lock and all
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
        Drop(file);
        EXPECT_EQ(LastMessage(), message);
    }
    EXPECT_EQ(ListTexts(), QStringList({"ANNA", "BERND"}));
    EXPECT_TRUE(Modified());
    EXPECT_EQ(ReadSection(kSectionTelephone).size(), 1u) << "the user saves as usual";
}

} // namespace
