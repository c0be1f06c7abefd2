// Pictures of the program's windows, for looking at what was built: each page of the main window in both
// interface languages, the Data page's two views for every section with a few records, the on-screen keyboard
// with each face and table, and a tool tip, saved as PNG files.
#include "app/CCenteredTabCtrl.h"
#include "app/CLinkApp.h"
#include "app/CMainDlg.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/ProgramFonts.h"
#include "controls/CPictureButtonBar.h"
#include "controls/CTipWindow.h"
#include "controls/PcString.h"
#include "keyboard/COnScreenKeyboard.h"
#include "records/CDataPage.h"
#include "records/DataPageViews.h"
#include "records/DateTimeText.h"
#include "records/SectionFile.h"
#include "records/Sections.h"

#include <QAbstractButton>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTabBar>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

void Save(const QPixmap& picture, const QDir& out, const QString& name) {
    picture.save(out.filePath(name));
    std::printf("%s\n", qPrintable(out.filePath(name)));
}

std::string Pc(const char* utf8) { return QStringToPc(QString::fromUtf8(utf8)); }

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
        Save(main.grab(), out, QString("data-%1-choice.png").arg(name));
        g_pDataPage->CommandBar()->ClickButton(kViewButton);
        Save(main.grab(), out, QString("data-%1-editor.png").arg(name));
    }
}

void SavePages(const QDir& out) {
    const char* pages[] = {"exchange", "data", "settings"};
    for (int language : {0, 1}) {
        WriteSetting(kSettingLanguage, language);
        CMainDlg main;
        main.show();
        for (int tab : {0, 1, 2}) {
            ClickTab(main, tab);
            Save(main.grab(), out, QString("%1-%2.png").arg(pages[tab], language == 0 ? "de" : "ru"));
        }
    }
}

// The main window with the keyboard showing each face and table, lower and upper case, and the
// keyboard picture alone at three times its size.
void SaveKeyboards(const QDir& out) {
    WriteSetting(kSettingLanguage, 0);
    WriteSetting(kSettingKeyboardState, 41);
    CMainDlg main;
    main.show();
    COnScreenKeyboard* keyboard = main.OnScreenKeyboard();
    struct Face {
        const char* name;
        int face;
        int standard;
    };
    const Face faces[] = {{"latin", kFaceLatin, 1},
                          {"accented", kFaceLatin, 0},
                          {"russian", kFaceRussian, 1},
                          {"typewriter", kFaceRussian, 0}};
    for (const Face& face : faces) {
        for (int upper : {0, 1}) {
            keyboard->SelectFace(face.face, face.standard);
            keyboard->m_bShift = upper;
            keyboard->update();
            const QString name = QString("keyboard-%1%2").arg(face.name, upper ? "-upper" : "");
            Save(main.grab(), out, name + ".png");
            const QRect picture(keyboard->KeyboardOrigin(), QSize(kKeyboardWidth, kKeyboardHeight));
            Save(keyboard->grab(picture).scaled(picture.size() * 3), out, name + "-x3.png");
        }
    }
    // Mid-squeeze towards the logo, and a key held down.
    keyboard->m_bShift = 0;
    keyboard->SelectFace(kFaceLatin, 1);
    keyboard->m_nPressedRow = 3;
    keyboard->m_nPressedColumn = 11;
    keyboard->m_bHighlighted = true;
    keyboard->update();
    Save(keyboard->grab().scaled(keyboard->size() * 3), out, "keyboard-enter-pressed-x3.png");
    keyboard->m_bHighlighted = false;
    keyboard->ToggleView();
    keyboard->m_nAnim = 40;
    keyboard->update();
    Save(keyboard->grab().scaled(keyboard->size() * 3), out, "keyboard-squeeze-x3.png");
    keyboard->FinishAnimation();
}

// The tip of the on-screen keyboard button, drawn where it shows over the window.
void SaveToolTip(const QDir& out) {
    WriteSetting(kSettingKeyboardState, 0);
    for (int language : {0, 1}) {
        WriteSetting(kSettingLanguage, language);
        CMainDlg main;
        main.show();
        main.activateWindow();
        if (!QTest::qWaitForWindowActive(&main))
            std::fprintf(stderr, "the window did not become active; the tip may not show\n");
        CPictureButtonBar* bar = main.ButtonBar();
        QTest::mouseMove(bar, bar->ButtonRect(1).center());
        QTest::mouseMove(bar, bar->ButtonRect(1).center() + QPoint(1, 1));
        CTipWindow* tip = main.ToolTips();
        if (!QTest::qWaitFor([tip] { return tip->isVisible(); }, 3000))
            std::fprintf(stderr, "no tip showed\n");
        QPixmap picture = main.grab();
        QPainter painter(&picture);
        painter.drawPixmap(tip->pos() - main.mapToGlobal(QPoint(0, 0)), tip->grab());
        painter.end();
        Save(picture, out, QString("tooltip-%1.png").arg(language == 0 ? "de" : "ru"));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kl840t-snapshots PROFILE.ini OUTDIR\n"
                             "  takes a copy of the profile into a temporary home and saves the pictures there\n");
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
    SavePages(out);
    WriteSetting(kSettingLanguage, 0);
    WriteSampleSections();
    SaveDataViews(out);
    SaveKeyboards(out);
    SaveToolTip(out);
    std::filesystem::remove_all(home);
    return 0;
}
