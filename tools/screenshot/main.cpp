// Saves a picture of what the X screen shows: the run script's eye on a
// headless machine. The empty background around the windows is cut away.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

namespace {

// The smallest rectangle holding every pixel that differs from the corner's.
QRect ShownArea(const QImage& image) {
    const QRgb background = image.pixel(0, 0);
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                area |= QRect(x, y, 1, 1);
    return area.isEmpty() ? image.rect() : area;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kl840t-screenshot FILE.png\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "kl840t-screenshot: no screen\n");
        return 1;
    }
    QImage image = screen->grabWindow(0).toImage();
    if (!image.copy(ShownArea(image)).save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "kl840t-screenshot: could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
