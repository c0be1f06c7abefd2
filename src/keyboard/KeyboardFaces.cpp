// The pictures of the on-screen keyboard: key frames with the legends of a character table.
#include "keyboard/KeyboardFaces.h"

#include "app/ProgramFonts.h"
#include "keyboard/KeyEventAdapter.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The alternate-table key names the alternate table of the face by two of its letters.
QString AlternateTableLegend(KeyboardTable table, bool upper) {
    const bool russian = table == KeyboardTable::RussianStandard || table == KeyboardTable::RussianTypewriter;
    const KeyboardTable alternate = russian ? KeyboardTable::RussianTypewriter : KeyboardTable::LatinAccented;
    std::string letters{static_cast<char>(OnScreenCharacter(alternate, upper, 1, 1)),
                        static_cast<char>(OnScreenCharacter(alternate, upper, 1, 2))};
    return CodePageText(letters, CodePageOf(alternate));
}

QFont LegendFont() {
    // The interface font, small enough for a 15-pixel key and without grey edges, as the
    // pictures are black and white.
    QFont font = NormalFont();
    font.setPixelSize(9);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The face key's double arrow is drawn, not written: at the size of a key no font shows that sign
// readably. A shaft over most of the key's width, with a solid head at each end.
void DrawFaceKeyLegend(QPainter& painter, const KeyRect& key) {
    const int y = key.y + key.height / 2;
    const int left = key.x + 4, right = key.x + key.width - 5;
    painter.drawLine(left, y, right, y);
    for (int i = 1; i <= 3; ++i) {
        painter.drawLine(left + i, y - i, left + i, y + i);
        painter.drawLine(right - i, y - i, right - i, y + i);
    }
}

} // namespace

QString KeyLegend(KeyboardTable table, bool upper, int row, int column) {
    switch (row * kKeySlots + column) {
    case kSlotEscape:
        return QStringLiteral("Esc");
    case kSlotBackspace:
        return QString::fromUtf8("\u232B");
    case kSlotTab:
        return QStringLiteral("Tab");
    case kSlotCaps:
        return QStringLiteral("Caps");
    case kSlotShift:
        return QString::fromUtf8("\u21E7");
    case kSlotEnterLower:
        return QString::fromUtf8("\u21B5");
    case kSlotEnterUpper:
        return {}; // Enter is labelled once, in its wide lower half
    case kSlotFaceKey:
        return {}; // drawn, see DrawFaceKeyLegend
    case kSlotAltTableKey:
        return AlternateTableLegend(table, upper);
    case 4 * kKeySlots + 5:
        return QString::fromUtf8("\u2193");
    case 4 * kKeySlots + 6:
        return QString::fromUtf8("\u2191");
    case 4 * kKeySlots + 7:
        return QString::fromUtf8("\u2190");
    case 4 * kKeySlots + 8:
        return QString::fromUtf8("\u2192");
    default:
        break;
    }
    std::uint8_t c = OnScreenCharacter(table, upper, row, column);
    if (c == 0 || c == ' ')
        return {};
    return CodePageText(std::string(1, static_cast<char>(c)), CodePageOf(table));
}

QPixmap PaintKeyboardFace(KeyboardTable table, bool upper) {
    QPixmap face(kKeyboardWidth, kKeyboardHeight);
    face.fill(Qt::white);
    QPainter painter(&face);
    painter.setPen(Qt::black);
    painter.setFont(LegendFont());
    for (int row = 0; row < kKeyRows; ++row) {
        for (int column = 0; column < kKeySlots; ++column) {
            if (KeySlotAt(row, column).width == 0 || row * kKeySlots + column == kSlotEnterUpper)
                continue;
            const std::vector<KeyRect> rects = KeyRects(row, column);
            // Each frame lies on the key's outermost pixels, which the highlight inverts with the
            // rest of the key; the two halves of Enter share one outline.
            QPainterPath outline;
            for (std::size_t i = 0; i < rects.size(); ++i) {
                const KeyRect& r = rects[i];
                // An upper half reaches down onto the lower half's top line, so the outlines merge.
                const int reach = i + 1 < rects.size() ? 0 : 1;
                outline.addRect(QRectF(r.x + 0.5, r.y + 0.5, r.width - 1, r.height - reach));
            }
            painter.drawPath(rects.size() > 1 ? outline.simplified() : outline);
            const KeyRect& r = rects.back();
            if (row * kKeySlots + column == kSlotFaceKey)
                DrawFaceKeyLegend(painter, r);
            painter.drawText(QRect(r.x + 1, r.y + 1, r.width - 2, r.height - 2), Qt::AlignCenter,
                             KeyLegend(table, upper, row, column));
        }
    }
    return face;
}
