// Pictures of the program's windows, for looking at what was built: each page of the main window in both
// interface languages, and the Data page's two views for every section with a few records, saved as PNG files.
#include "app/CCenteredTabCtrl.h"
#include "app/CLinkApp.h"
#include "app/CMainDlg.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/ProgramFonts.h"
#include "controls/CPictureButtonBar.h"
#include "controls/PcString.h"
#include "records/CDataPage.h"
#include "records/DataPageViews.h"
#include "records/DateTimeText.h"
#include "records/SectionFile.h"
#include "records/Sections.h"

#include <QAbstractButton>
#include <QDir>
#include <QPixmap>
#include <QTabBar>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

std::string Pc(const char* utf8) {
    return QStringToPc(QString::fromUtf8(utf8));
}

SectionRecord Record(std::vector<std::string> fields, int locked = 0) {
    SectionRecord record("", "");
    record.m_lstFields = std::move(fields);
    record.m_nLocked = locked;
    return record;
}

std::string DateText(int year, int month, int day) {
    DateTimeText value;
    value.SetDate(year, month, day);
    return value.FormatDateTime(kFormatDate);
}

std::string TimesText(int startHour, int startMinute, int endHour, int endMinute) {
    DateTimeText start, end;
    start.SetTime(startHour, startMinute, 0);
    end.SetTime(endHour, endMinute, 0);
    return start.FormatDateTime(kFormatTime) + " - " + end.FormatDateTime(kFormatTime);
}

// A few records of every section, written as the section files of the snapshot home.
void WriteSampleSections() {
    g_records = {Record({Pc("MÜLLER, ANNA"), "030 1234567", Pc("BERLIN, HAUPTSTRASSE 5")}, 1),
                 Record({Pc("ИВАНОВ ПЕТР"), "+7 495 1234567", Pc("МОСКВА, УЛ. ТВЕРСКАЯ 7")}),
                 Record({"SCHMIDT KG", "089 765432", Pc("MÜNCHEN\r\nLIEFERANT")})};
    SaveSection(kSectionTelephone);
    g_records = {Record({DateText(2024, 3, 5), TimesText(9, 30, 10, 15), Pc("ZAHNARZT")}),
                 Record({DateText(2024, 3, 8), TimesText(14, 0, 16, 30), Pc("ВСТРЕЧА С ИВАНОВЫМ")}, 1)};
    SaveSection(kSectionSchedule);
    g_records = {Record({"HAUS", Pc("ДОМ")}), Record({"BAUM", Pc("ДЕРЕВО")}), Record({Pc("GRÜN"), Pc("ЗЕЛЁНЫЙ")})};
    SaveSection(kSectionGermanRussian);
    g_records = {Record({Pc("ДОМ"), "HAUS"}), Record({Pc("КНИГА"), "BUCH"})};
    SaveSection(kSectionRussianGerman);
    g_records.clear();
}

void Save(QWidget& window, const QDir& out, const QString& name) {
    window.grab().save(out.filePath(name));
    std::printf("%s\n", qPrintable(out.filePath(name)));
}

void ClickTab(CMainDlg& main, int tab) {
    QTabBar* bar = main.TabCtrl()->Bar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
}

void SaveDataViews(const QDir& out) {
    const std::pair<int, const char*> sections[] = {
        {1119, "telephone"}, {1022, "schedule"}, {1028, "erdict"}, {1027, "redict"}};
    for (auto [radio, name] : sections) {
        CMainDlg main;
        main.show();
        ClickTab(main, 1);
        g_pDataPage->findChild<QAbstractButton*>(QString::number(radio))->click();
        g_pDataPage->findChild<QAbstractButton*>("1")->click();
        Save(main, out, QString("data-%1-choice.png").arg(name));
        g_pDataPage->CommandBar()->ClickButton(kViewButton);
        Save(main, out, QString("data-%1-editor.png").arg(name));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kl840t-snapshots PROFILE.ini OUTDIR\n"
                             "  takes a copy of the profile into a temporary home and saves one picture per page\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::filesystem::path home = std::filesystem::temp_directory_path() / "kl840t-snapshots";
    std::filesystem::create_directories(home);
    std::filesystem::copy_file(argv[1], home / "kl840t-link.ini", std::filesystem::copy_options::overwrite_existing);
    setenv("KL840T_HOME", home.c_str(), 1);
    setenv("KL840T_DATA", home.c_str(), 1);

    CLinkApp app(argc, argv);
    MessageBoxSeam::Activate(); // a picture never waits for a user
    DataPageViews::SetSlidePause([](QWidget*) {});
    CreateProgramFonts();
    QDir out(QString::fromLocal8Bit(argv[2]));
    out.mkpath(".");
    const char* pages[] = {"exchange", "data", "settings"};
    for (int language : {0, 1}) {
        WriteSetting(kSettingLanguage, language);
        CMainDlg main;
        main.show();
        for (int tab : {0, 1, 2}) {
            ClickTab(main, tab);
            Save(main, out, QString("%1-%2.png").arg(pages[tab], language == 0 ? "de" : "ru"));
        }
    }
    WriteSetting(kSettingLanguage, 0);
    WriteSampleSections();
    SaveDataViews(out);
    std::filesystem::remove_all(home);
    return 0;
}
