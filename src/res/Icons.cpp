// The program's icons by resource id: every picture button's looks, painted at run time.
#include "res/Icons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>

namespace {

// Pictures are drawn on a 32 x 32 grid and scaled to the size asked for. One family: a dark
// outline of the same width around flat shapes, grey when at rest, in the picture's own colour
// when the mouse is over the button, faded and embossed when disabled.
enum class Picture {
    SideLatin,
    SideCyrillic,
    OnScreenKeyboard,
    Help,
    About,
    Exit,
    Save,
    New,
    Delete,
    Undo,
    ViewEditor,
    ViewChoice,
    LockOpen,
    LockClosed,
};

struct Ink {
    QColor line;  // outlines and marks drawn on light parts
    QColor fill;  // the body
    QColor light; // highlights, labels and faces
    QColor mark;  // symbols drawn on the body
};

struct IconEntry {
    int id;
    Picture picture;
    int look;
};

constexpr std::array<IconEntry, 38> kIcons{{
    {IDI_EXIT_HOT, Picture::Exit, kIconLookHot},
    {IDI_EXIT, Picture::Exit, kIconLookNormal},
    {IDI_ABOUT_HOT, Picture::About, kIconLookHot},
    {IDI_ABOUT, Picture::About, kIconLookNormal},
    {IDI_HELP, Picture::Help, kIconLookNormal},
    {IDI_HELP_HOT, Picture::Help, kIconLookHot},
    {IDI_ONSCREEN_KEYBOARD, Picture::OnScreenKeyboard, kIconLookNormal},
    {IDI_ONSCREEN_KEYBOARD_HOT, Picture::OnScreenKeyboard, kIconLookHot},
    {IDI_SIDE_CYRILLIC, Picture::SideCyrillic, kIconLookNormal},
    {IDI_SIDE_CYRILLIC + 1, Picture::SideCyrillic, kIconLookHot},
    {IDI_SIDE_CYRILLIC + 2, Picture::SideCyrillic, kIconLookDisabled},
    {IDI_SIDE_LATIN, Picture::SideLatin, kIconLookNormal},
    {IDI_SIDE_LATIN + 1, Picture::SideLatin, kIconLookHot},
    {IDI_SIDE_LATIN + 2, Picture::SideLatin, kIconLookDisabled},
    {IDI_SAVE, Picture::Save, kIconLookNormal},
    {IDI_SAVE + 1, Picture::Save, kIconLookHot},
    {IDI_SAVE + 2, Picture::Save, kIconLookDisabled},
    {IDI_NEW, Picture::New, kIconLookNormal},
    {IDI_NEW + 1, Picture::New, kIconLookHot},
    {IDI_NEW + 2, Picture::New, kIconLookDisabled},
    {IDI_DELETE, Picture::Delete, kIconLookNormal},
    {IDI_DELETE + 1, Picture::Delete, kIconLookHot},
    {IDI_DELETE + 2, Picture::Delete, kIconLookDisabled},
    {IDI_UNDO, Picture::Undo, kIconLookNormal},
    {IDI_UNDO + 1, Picture::Undo, kIconLookHot},
    {IDI_UNDO + 2, Picture::Undo, kIconLookDisabled},
    {IDI_VIEW_EDITOR, Picture::ViewEditor, kIconLookNormal},
    {IDI_VIEW_EDITOR + 1, Picture::ViewEditor, kIconLookHot},
    {IDI_VIEW_EDITOR + 2, Picture::ViewEditor, kIconLookDisabled},
    {IDI_VIEW_CHOICE, Picture::ViewChoice, kIconLookNormal},
    {IDI_VIEW_CHOICE + 1, Picture::ViewChoice, kIconLookHot},
    {IDI_VIEW_CHOICE + 2, Picture::ViewChoice, kIconLookDisabled},
    {IDI_LOCK_OPEN, Picture::LockOpen, kIconLookNormal},
    {IDI_LOCK_OPEN + 1, Picture::LockOpen, kIconLookHot},
    {IDI_LOCK_OPEN + 2, Picture::LockOpen, kIconLookDisabled},
    {IDI_LOCK_CLOSED, Picture::LockClosed, kIconLookNormal},
    {IDI_LOCK_CLOSED + 1, Picture::LockClosed, kIconLookHot},
    {IDI_LOCK_CLOSED + 2, Picture::LockClosed, kIconLookDisabled},
}};

// The colour a picture takes when the mouse is over it.
QColor HotColour(Picture picture) {
    switch (picture) {
    case Picture::Save:
    case Picture::Delete:
    case Picture::Exit:
        return QColor(0xD8, 0x34, 0x30);
    case Picture::New:
        return QColor(0xF4, 0xC4, 0x20);
    case Picture::OnScreenKeyboard:
    case Picture::ViewEditor:
    case Picture::ViewChoice:
        return QColor(0x3C, 0xA8, 0x50);
    case Picture::LockOpen:
    case Picture::LockClosed:
        return QColor(0xE0, 0x9C, 0x1C);
    case Picture::About:
        return QColor(0x1F, 0x9E, 0xA0);
    default:
        return QColor(0x30, 0x78, 0xD8);
    }
}

Ink InkOf(Picture picture, int look) {
    switch (look) {
    case kIconLookHot: {
        QColor hue = HotColour(picture);
        return {hue.darker(260), hue, hue.lighter(170), Qt::white};
    }
    case kIconLookDisabled:
        return {QColor(0xA4, 0xA4, 0xA4), QColor(0xD8, 0xD8, 0xD8), QColor(0xEE, 0xEE, 0xEE), QColor(0xF8, 0xF8, 0xF8)};
    default:
        return {QColor(0x40, 0x40, 0x40), QColor(0xA8, 0xA8, 0xA8), QColor(0xEC, 0xEC, 0xEC), Qt::white};
    }
}

QPen Outline(const Ink& ink, qreal width = 1.6) {
    return QPen(ink.line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen Stroke(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Shape(QPainter& p, const Ink& ink, const QPainterPath& path, const QColor& fill) {
    p.setPen(Outline(ink));
    p.setBrush(fill);
    p.drawPath(path);
}

void Polygon(QPainter& p, const Ink& ink, std::initializer_list<QPointF> points, const QColor& fill) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    Shape(p, ink, path, fill);
}

// A band along a path: the outline colour wide, the fill narrower on top.
void Band(QPainter& p, const Ink& ink, const QPainterPath& path, qreal width, const QColor& fill) {
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink.line, width + 3.2));
    p.drawPath(path);
    p.setPen(Stroke(fill, width));
    p.drawPath(path);
}

// A key cap with a letter on its face: the keyboard side.
void PaintKeyCap(QPainter& p, const Ink& ink, const QPainterPath& letter) {
    QPainterPath cap;
    cap.addRoundedRect(QRectF(3.5, 3.5, 25, 25), 5, 5);
    Shape(p, ink, cap, ink.fill);
    QPainterPath face;
    face.addRoundedRect(QRectF(7, 5.5, 18, 18), 3.5, 3.5);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.light);
    p.drawPath(face);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink.line, 2.6));
    p.drawPath(letter);
}

QPainterPath LetterA() {
    QPainterPath path;
    path.moveTo(10.5, 20.5);
    path.lineTo(16, 8.5);
    path.lineTo(21.5, 20.5);
    path.moveTo(12.8, 16);
    path.lineTo(19.2, 16);
    return path;
}

QPainterPath LetterYa() {
    QPainterPath path;
    path.moveTo(20.5, 20.5);
    path.lineTo(20.5, 8.5);
    path.lineTo(15.5, 8.5);
    path.cubicTo(11, 8.5, 11, 15, 15.5, 15);
    path.lineTo(20.5, 15);
    path.moveTo(16, 15);
    path.lineTo(11.5, 20.5);
    return path;
}

void PaintOnScreenKeyboard(QPainter& p, const Ink& ink) {
    QPainterPath body;
    body.addRoundedRect(QRectF(1.5, 7.5, 29, 18), 3, 3);
    Shape(p, ink, body, ink.fill);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.light);
    for (int row = 0; row < 2; ++row)
        for (int key = 0; key < 6; ++key)
            p.drawRect(QRectF(4.5 + key * 4 + row * 1.5, 10.5 + row * 4.5, 2.8, 2.8));
    p.drawRect(QRectF(9, 19.5, 14, 2.8));
}

void PaintDisc(QPainter& p, const Ink& ink) {
    QPainterPath disc;
    disc.addEllipse(QRectF(3, 3, 26, 26));
    Shape(p, ink, disc, ink.fill);
}

void PaintHelp(QPainter& p, const Ink& ink) {
    PaintDisc(p, ink);
    QPainterPath mark;
    mark.moveTo(11.5, 12.5);
    mark.cubicTo(11.5, 6.5, 20.5, 6.5, 20.5, 12);
    mark.cubicTo(20.5, 15.5, 16, 15.5, 16, 19);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink.mark, 3.4));
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.mark);
    p.drawEllipse(QPointF(16, 23.6), 2.1, 2.1);
}

void PaintAbout(QPainter& p, const Ink& ink) {
    PaintDisc(p, ink);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.mark);
    p.drawEllipse(QPointF(16, 9.6), 2.2, 2.2);
    p.setPen(Stroke(ink.mark, 3.6));
    p.drawLine(QPointF(16, 14.5), QPointF(16, 23));
    p.setPen(Stroke(ink.mark, 2));
    p.drawLine(QPointF(12.5, 23.5), QPointF(19.5, 23.5));
}

void PaintExit(QPainter& p, const Ink& ink) {
    QPainterPath frame;
    frame.addRect(QRectF(4.5, 3.5, 13, 25));
    Shape(p, ink, frame, ink.light);
    Polygon(p, ink, {{4.5, 3.5}, {12, 6.5}, {12, 30}, {4.5, 28.5}}, ink.fill);
    Polygon(p, ink, {{14, 13}, {21, 13}, {21, 8.5}, {29.5, 16}, {21, 23.5}, {21, 19}, {14, 19}}, ink.fill);
}

void PaintSave(QPainter& p, const Ink& ink) {
    Polygon(p, ink, {{3.5, 3.5}, {24.5, 3.5}, {28.5, 7.5}, {28.5, 28.5}, {3.5, 28.5}}, ink.fill);
    QPainterPath shutter;
    shutter.addRect(QRectF(9, 3.5, 13, 8.5));
    Shape(p, ink, shutter, ink.light);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.line);
    p.drawRect(QRectF(16.5, 5.2, 3, 5));
    QPainterPath label;
    label.addRect(QRectF(7.5, 16.5, 17, 12));
    Shape(p, ink, label, ink.light);
    p.setPen(Stroke(ink.line, 1.2));
    p.drawLine(QPointF(10.5, 20.5), QPointF(21.5, 20.5));
    p.drawLine(QPointF(10.5, 24.5), QPointF(21.5, 24.5));
}

void PaintCross(QPainter& p, const Ink& ink, qreal reach, qreal half) {
    Polygon(p, ink,
            {{-half, -reach},
             {half, -reach},
             {half, -half},
             {reach, -half},
             {reach, half},
             {half, half},
             {half, reach},
             {-half, reach},
             {-half, half},
             {-reach, half},
             {-reach, -half},
             {-half, -half}},
            ink.fill);
}

void PaintNew(QPainter& p, const Ink& ink) {
    p.translate(16, 16);
    PaintCross(p, ink, 12.5, 4);
}

void PaintDelete(QPainter& p, const Ink& ink) {
    p.translate(16, 16);
    p.rotate(45);
    PaintCross(p, ink, 15, 3.6);
}

void PaintUndo(QPainter& p, const Ink& ink) {
    QPainterPath curve;
    curve.moveTo(11, 11);
    curve.lineTo(18.5, 11);
    curve.cubicTo(28.5, 11, 28.5, 26, 18.5, 26);
    curve.lineTo(9, 26);
    Band(p, ink, curve, 3.6, ink.fill);
    Polygon(p, ink, {{2.5, 11}, {12.5, 3}, {12.5, 19}}, ink.fill);
}

void PaintArrow(QPainter& p, const Ink& ink, bool right) {
    if (!right) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    Polygon(p, ink, {{3.5, 12}, {16.5, 12}, {16.5, 5}, {28.5, 16}, {16.5, 27}, {16.5, 20}, {3.5, 20}}, ink.fill);
}

void PaintLock(QPainter& p, const Ink& ink, bool open) {
    QPainterPath shackle;
    if (open) {
        shackle.moveTo(21.5, 15);
        shackle.lineTo(21.5, 8.5);
        shackle.cubicTo(21.5, 1.5, 10.5, 1.5, 10.5, 8.5);
        shackle.lineTo(10.5, 10);
    } else {
        shackle.moveTo(21.5, 15);
        shackle.lineTo(21.5, 11.5);
        shackle.cubicTo(21.5, 4.5, 10.5, 4.5, 10.5, 11.5);
        shackle.lineTo(10.5, 15);
    }
    Band(p, ink, shackle, 2.2, ink.light);
    QPainterPath body;
    body.addRoundedRect(QRectF(6.5, 14.5, 19, 14), 2, 2);
    Shape(p, ink, body, ink.fill);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.line);
    p.drawEllipse(QPointF(16, 20), 2.2, 2.2);
    p.drawRect(QRectF(15, 20, 2, 5));
}

void PaintPicture(QPainter& p, Picture picture, const Ink& ink) {
    p.save();
    switch (picture) {
    case Picture::SideLatin:
        PaintKeyCap(p, ink, LetterA());
        break;
    case Picture::SideCyrillic:
        PaintKeyCap(p, ink, LetterYa());
        break;
    case Picture::OnScreenKeyboard:
        PaintOnScreenKeyboard(p, ink);
        break;
    case Picture::Help:
        PaintHelp(p, ink);
        break;
    case Picture::About:
        PaintAbout(p, ink);
        break;
    case Picture::Exit:
        PaintExit(p, ink);
        break;
    case Picture::Save:
        PaintSave(p, ink);
        break;
    case Picture::New:
        PaintNew(p, ink);
        break;
    case Picture::Delete:
        PaintDelete(p, ink);
        break;
    case Picture::Undo:
        PaintUndo(p, ink);
        break;
    case Picture::ViewEditor:
        PaintArrow(p, ink, true);
        break;
    case Picture::ViewChoice:
        PaintArrow(p, ink, false);
        break;
    case Picture::LockOpen:
        PaintLock(p, ink, true);
        break;
    case Picture::LockClosed:
        PaintLock(p, ink, false);
        break;
    }
    p.restore();
}

const IconEntry* FindIcon(int id) {
    auto found = std::find_if(kIcons.begin(), kIcons.end(), [id](const IconEntry& e) { return e.id == id; });
    return found == kIcons.end() ? nullptr : &*found;
}

} // namespace

QPixmap LoadIconPixmap(int id, int cx, int cy) {
    const IconEntry* entry = FindIcon(id);
    if (!entry || cx <= 0 || cy <= 0)
        return {};
    QImage image(cx, cy, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(cx / 32.0, cy / 32.0);
    // A disabled picture stands on its own white emboss, one pixel down and right.
    if (entry->look == kIconLookDisabled) {
        QColor white(Qt::white);
        painter.save();
        painter.translate(1, 1);
        PaintPicture(painter, entry->picture, {white, white, white, white});
        painter.restore();
    }
    PaintPicture(painter, entry->picture, InkOf(entry->picture, entry->look));
    painter.end();
    return QPixmap::fromImage(image);
}

std::vector<int> IconIds() {
    std::vector<int> ids;
    for (const auto& entry : kIcons)
        ids.push_back(entry.id);
    std::sort(ids.begin(), ids.end());
    return ids;
}
