#pragma once

#include <QIcon>

// The program's icon (icon 128): the application's window icon, which both dialogs' windows
// take, and the About box's picture.
QIcon AppIcon();
