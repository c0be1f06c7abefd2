// The program's fonts.
#include "app/ProgramFonts.h"

#include "app/ProgramPaths.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include <array>

std::optional<QFont> g_hFontNormal;
std::optional<QFont> g_hFontBold;

namespace {

constexpr char kInterfaceFace[] = "VantikGeCyr";

struct FontFile {
    const char* file;
    const char* face;
};

constexpr std::array kFontFiles{
    FontFile{"Vantikru.ttf", "VantikRu"},
    FontFile{"Vantikwe.ttf", "VantikWe"},
    FontFile{"vantikgecyr.ttf", kInterfaceFace},
};

int g_interfaceFontId = -1;

// Sans fonts with Cyrillic and the German letters, in the order tried when the
// program's own face is not installed.
const QStringList& Substitutes() {
    static const QStringList substitutes{"DejaVu Sans", "Liberation Sans", "Noto Sans", "Arial", "Sans Serif"};
    return substitutes;
}

QFont MakeFont(int weight) {
    QFont font(kInterfaceFace);
    font.setFamilies(QStringList{kInterfaceFace} + Substitutes());
    font.setPixelSize(11);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

} // namespace

void LoadProgramFontFiles() {
    for (const FontFile& font : kFontFiles) {
        QString path = QString::fromStdString((FontsDirectory() / font.file).string());
        int id = QFontDatabase::addApplicationFont(path);
        if (QString(font.face) == kInterfaceFace)
            g_interfaceFontId = id;
    }
}

void ReleaseProgramFontFile() {
    if (g_interfaceFontId >= 0)
        QFontDatabase::removeApplicationFont(g_interfaceFontId);
    g_interfaceFontId = -1;
}

void CreateProgramFonts() {
    g_hFontNormal = MakeFont(QFont::Normal);
    g_hFontBold = MakeFont(QFont::Bold);
}

void DeleteProgramFonts() {
    g_hFontNormal.reset();
    g_hFontBold.reset();
}

const QFont& NormalFont() {
    static const QFont standIn = MakeFont(QFont::Normal);
    return g_hFontNormal ? *g_hFontNormal : standIn;
}

const QFont& BoldFont() {
    static const QFont standIn = MakeFont(QFont::Bold);
    return g_hFontBold ? *g_hFontBold : standIn;
}

QFont DialogTemplateFont() {
    // The templates were laid out in an 8-point sans; 11 pixels is that size
    // on a 96 dpi screen.
    QFont font("MS Sans Serif");
    font.setFamilies(QStringList{"MS Sans Serif"} + Substitutes());
    font.setPixelSize(11);
    return font;
}
