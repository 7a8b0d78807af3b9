#pragma once

#include <QString>
#include <string>

// The folder the format file chooser opens in, as file system bytes: the folder of the chosen
// file (pszFormatPath, empty when none is chosen yet); before a choice, the example formats
// installed with the program, found from strProgramDir, the folder of its executable; for a run
// from the build tree, the source tree's examples; else the home folder. A folder that does not
// exist is passed over, so a choice whose folder has gone starts among the examples again.
std::string AppChooserFolder(const char* pszFormatPath, const QString& strProgramDir);
