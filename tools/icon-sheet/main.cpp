// Renders every picture button's looks onto one sheet, at their size and magnified, as a PNG.
#include "res/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include <cstdio>

namespace {

struct SheetRow {
    const char* name;
    int normal;
    int hot;
    int disabled; // the main window's push buttons show their normal look when disabled
};

constexpr SheetRow kRows[] = {
    {"keyboard side, Latin (state 0)", IDI_SIDE_LATIN, IDI_SIDE_LATIN + 1, IDI_SIDE_LATIN + 2},
    {"keyboard side, Cyrillic (state 1)", IDI_SIDE_CYRILLIC, IDI_SIDE_CYRILLIC + 1, IDI_SIDE_CYRILLIC + 2},
    {"on-screen keyboard", IDI_ONSCREEN_KEYBOARD, IDI_ONSCREEN_KEYBOARD_HOT, IDI_ONSCREEN_KEYBOARD},
    {"help", IDI_HELP, IDI_HELP_HOT, IDI_HELP},
    {"About", IDI_ABOUT, IDI_ABOUT_HOT, IDI_ABOUT},
    {"exit", IDI_EXIT, IDI_EXIT_HOT, IDI_EXIT},
    {"save", IDI_SAVE, IDI_SAVE + 1, IDI_SAVE + 2},
    {"new record", IDI_NEW, IDI_NEW + 1, IDI_NEW + 2},
    {"delete record", IDI_DELETE, IDI_DELETE + 1, IDI_DELETE + 2},
    {"undo", IDI_UNDO, IDI_UNDO + 1, IDI_UNDO + 2},
    {"view: to the editor (state 0)", IDI_VIEW_EDITOR, IDI_VIEW_EDITOR + 1, IDI_VIEW_EDITOR + 2},
    {"view: to the choice (state 1)", IDI_VIEW_CHOICE, IDI_VIEW_CHOICE + 1, IDI_VIEW_CHOICE + 2},
    {"padlock open (state 0)", IDI_LOCK_OPEN, IDI_LOCK_OPEN + 1, IDI_LOCK_OPEN + 2},
    {"padlock closed (state 1)", IDI_LOCK_CLOSED, IDI_LOCK_CLOSED + 1, IDI_LOCK_CLOSED + 2},
};

constexpr int kZoom = 3;
constexpr int kNameWidth = 230;
constexpr int kCellWidth = 32 + 8 + 32 * kZoom + 24;
constexpr int kRowHeight = 32 * kZoom + 12;
constexpr int kHeader = 24;

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kl840t-icon-sheet FILE.png\n");
        return 2;
    }
    const int rows = static_cast<int>(std::size(kRows));
    QImage sheet(kNameWidth + 3 * kCellWidth, kHeader + rows * kRowHeight, QImage::Format_RGB32);
    // The bars paint on the button face: that is the background the icons are seen on.
    sheet.fill(QApplication::palette().color(QPalette::Button));
    QPainter painter(&sheet);
    const char* looks[] = {"normal", "hot", "disabled"};
    for (int look = 0; look < 3; ++look)
        painter.drawText(kNameWidth + look * kCellWidth, 16, QString::fromLatin1(looks[look]));
    for (int r = 0; r < rows; ++r) {
        const SheetRow& row = kRows[r];
        int top = kHeader + r * kRowHeight;
        painter.drawText(QRect(6, top, kNameWidth - 12, kRowHeight), Qt::AlignVCenter | Qt::TextWordWrap,
                         QString::fromLatin1(row.name));
        const int ids[] = {row.normal, row.hot, row.disabled};
        for (int look = 0; look < 3; ++look) {
            QPixmap icon = LoadIconPixmap(ids[look]);
            int left = kNameWidth + look * kCellWidth;
            painter.drawPixmap(left, top + (kRowHeight - 32) / 2 - 8, icon);
            painter.drawText(left, top + (kRowHeight - 32) / 2 + 38, QString::number(ids[look]));
            QImage big = icon.toImage().scaled(32 * kZoom, 32 * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            painter.drawImage(left + 40, top + 6, big);
        }
    }
    painter.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "kl840t-icon-sheet: could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
