#pragma once
// The program's images, drawn at run time: the application icon, the toolbar buttons and
// the About picture.

#include <QIcon>
#include <QPixmap>

QIcon AppIcon();
QPixmap AboutPicture();
// The toolbar image of a command id; a null icon when the command has none.
QIcon CommandIcon(int id);
