#pragma once

// Puts Qt's own texts (the standard buttons, the file chooser, the edit boxes' context menu) in
// Japanese like the rest of the program, whatever the user's locale: the whole interface is
// Japanese, and a chooser that says "Open" and "Cancel" beside it reads as broken. Call once the
// application object exists and before the first window. true when Qt's Japanese translation
// was found and installed; without it Qt keeps its own texts and nothing else changes.
bool PfInstallQtJapanese();
