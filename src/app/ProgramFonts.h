// The program's fonts: the font files it makes available and the two fonts
// every window uses.
#pragma once

#include <QFont>

#include <optional>

// The interface fonts, created at start-up and deleted at the end. Windows use
// NormalFont() and BoldFont(), which stand in with the same font when the
// program's start-up has not made them (a window built on its own in a test).
extern std::optional<QFont> g_hFontNormal;
extern std::optional<QFont> g_hFontBold;

const QFont& NormalFont();
const QFont& BoldFont();

// The font library layer: makes the three font files of the fonts folder
// usable under their faces, and releases the one the interface font uses. A
// missing file leaves the face to the substitutes, which show Cyrillic and the
// German capitals too.
void LoadProgramFontFiles();
void ReleaseProgramFontFile();

void CreateProgramFonts();
void DeleteProgramFonts();

// The font the dialog templates are laid out in (their dialog units).
QFont DialogTemplateFont();
