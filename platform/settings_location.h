#pragma once

#include "header/settings_rule.h"

// SettingsLocate for this process: its current directory, whether that holds an "ini" folder
// (a file of that name does not count), and its environment now. A current directory that is
// gone counts as one without "ini". Nothing is made or changed.
SettingsLocation SettingsLocateHere();
