// The program's own pictures, painted at run time.
#include "res/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kLogoBlue(24, 62, 122);
const QColor kLogoLight(92, 150, 214);

} // namespace

QPixmap ProgramIconPixmap(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 32.0;
    // The handheld folded open: a lid with its screen over a keyboard half.
    QRectF body(3 * unit, 2 * unit, 26 * unit, 28 * unit);
    QLinearGradient shade(body.topLeft(), body.bottomRight());
    shade.setColorAt(0, kLogoLight);
    shade.setColorAt(1, kLogoBlue);
    painter.setPen(QPen(kLogoBlue.darker(140), unit));
    painter.setBrush(shade);
    painter.drawRoundedRect(body, 3 * unit, 3 * unit);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(214, 230, 204));
    painter.drawRect(QRectF(7 * unit, 5 * unit, 18 * unit, 9 * unit));
    painter.setBrush(QColor(235, 240, 248));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 5; ++column)
            painter.drawRect(QRectF((6.5 + column * 4) * unit, (17.5 + row * 3.6) * unit, 3 * unit, 2.4 * unit));
    return picture;
}

QPixmap LogoPicture() {
    QPixmap picture(201, 70);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF plate(0.5, 0.5, 200, 69);
    QLinearGradient shade(plate.topLeft(), plate.bottomLeft());
    shade.setColorAt(0, kLogoLight);
    shade.setColorAt(1, kLogoBlue);
    painter.setPen(QPen(kLogoBlue.darker(150), 1));
    painter.setBrush(shade);
    painter.drawRoundedRect(plate, 10, 10);

    painter.drawPixmap(10, 11, ProgramIconPixmap(48));

    QFont name("DejaVu Sans");
    name.setPixelSize(26);
    name.setBold(true);
    name.setLetterSpacing(QFont::PercentageSpacing, 108);
    painter.setFont(name);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(66, 6, 130, 32), Qt::AlignLeft | Qt::AlignVCenter, "ORVELA");

    QFont model("DejaVu Sans");
    model.setPixelSize(15);
    model.setBold(true);
    painter.setFont(model);
    painter.setPen(QColor(255, 214, 92));
    painter.drawText(QRectF(66, 36, 130, 18), Qt::AlignLeft | Qt::AlignVCenter, "KL840T");

    QFont languages("DejaVu Sans");
    languages.setPixelSize(9);
    painter.setFont(languages);
    painter.setPen(QColor(226, 236, 250));
    painter.drawText(QRectF(66, 53, 130, 12), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8("Deutsch \u2194 Русский"));
    return picture;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(ProgramIconPixmap(size));
    return icon;
}
