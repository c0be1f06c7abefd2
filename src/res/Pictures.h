// The program's own pictures, painted at run time.
#pragma once

#include <QIcon>
#include <QPixmap>

// The maker's logo as the main window shows it, 201 x 70 pixels.
QPixmap LogoPicture();

// The program icon: the handheld, in the logo's colours.
QIcon ProgramIcon();
// The program icon painted at size x size pixels (the desktop's icon theme
// gets it in every size it asks for).
QPixmap ProgramIconPixmap(int size);
