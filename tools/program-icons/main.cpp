// Writes the program icon into an icon theme's folders, one PNG per size:
//   kl840t-program-icons DIR NAME SIZE...   gives DIR/<SIZE>x<SIZE>/apps/NAME.png
#include "res/Pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: kl840t-program-icons DIR NAME SIZE...\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString folder = QString("%1/%2x%2/apps").arg(dir).arg(size);
        const QString file = folder + '/' + name + ".png";
        if (size <= 0 || !QDir().mkpath(folder) || !ProgramIconPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "kl840t-program-icons: could not write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
