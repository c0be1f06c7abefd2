// Pictures of the program's windows, for looking at what was built: each page
// of the main window in both interface languages, the on-screen keyboard with
// each face and table, and a tool tip, saved as PNG files.
#include "app/CCenteredTabCtrl.h"
#include "app/CLinkApp.h"
#include "app/CMainDlg.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/ProgramFonts.h"
#include "controls/CPictureButtonBar.h"
#include "controls/CTipWindow.h"
#include "keyboard/COnScreenKeyboard.h"

#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTabBar>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

void Save(const QPixmap& picture, const QDir& out, const QString& name) {
    picture.save(out.filePath(name));
    std::printf("%s\n", qPrintable(out.filePath(name)));
}

void SavePages(const QDir& out) {
    const char* pages[] = {"exchange", "data", "settings"};
    for (int language : {0, 1}) {
        WriteSetting(kSettingLanguage, language);
        CMainDlg main;
        main.show();
        for (int tab : {0, 1, 2}) {
            QTabBar* bar = main.TabCtrl()->Bar();
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
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
    CreateProgramFonts();
    QDir out(QString::fromLocal8Bit(argv[2]));
    out.mkpath(".");
    SavePages(out);
    SaveKeyboards(out);
    SaveToolTip(out);
    std::filesystem::remove_all(home);
    return 0;
}
