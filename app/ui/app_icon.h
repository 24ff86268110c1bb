// The program's icon, drawn rather than loaded so the player needs no image files.
#pragma once

#include <QIcon>

namespace velk::app {

QIcon ProgramIcon();

}  // namespace velk::app
