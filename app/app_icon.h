#pragma once

#include <QIcon>

// The program's icon (icon 128), for both dialogs' windows and the About box.
QIcon AppIcon();
