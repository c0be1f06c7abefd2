// The program's own pictures, painted at run time.
#pragma once

#include <QIcon>
#include <QPixmap>

// The maker's logo as the main window shows it, 201 x 70 pixels.
QPixmap LogoPicture();

// The program icon: the handheld, in the logo's colours.
QIcon ProgramIcon();
