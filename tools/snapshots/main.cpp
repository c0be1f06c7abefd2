// Pictures of the program's windows, for looking at what was built: each page
// of the main window in both interface languages, saved as PNG files.
#include "app/CCenteredTabCtrl.h"
#include "app/CLinkApp.h"
#include "app/CMainDlg.h"
#include "app/MessageBoxSeam.h"
#include "app/Profile.h"
#include "app/ProgramFonts.h"

#include <QDir>
#include <QPixmap>
#include <QTabBar>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

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
    CreateProgramFonts();
    QDir out(QString::fromLocal8Bit(argv[2]));
    out.mkpath(".");
    const char* pages[] = {"exchange", "data", "settings"};
    for (int language : {0, 1}) {
        WriteSetting(kSettingLanguage, language);
        CMainDlg main;
        main.show();
        for (int tab : {0, 1, 2}) {
            QTabBar* bar = main.TabCtrl()->Bar();
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
            QString name = QString("%1-%2.png").arg(pages[tab], language == 0 ? "de" : "ru");
            main.grab().save(out.filePath(name));
            std::printf("%s\n", qPrintable(out.filePath(name)));
        }
    }
    std::filesystem::remove_all(home);
    return 0;
}
