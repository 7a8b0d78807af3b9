#pragma once

#include <string>

class QWidget;

// Modal questions to the user: message boxes and the file chooser. The program talks to them
// through this seam so that tests can answer them and read what was asked.
class CUserPrompt {
public:
    virtual ~CUserPrompt() = default;

    // Modal message box captioned with the program's title, no icon, an OK button. Text in
    // code page 932.
    virtual void Message(QWidget* parent, const std::string& cp932Text) = 0;
    // The same with Yes and No; true for Yes.
    virtual bool Question(QWidget* parent, const std::string& cp932Text) = 0;
    // File-open chooser for format files; true with the chosen full path (file system bytes)
    // and its file name (code page 932) when the user picked one, false when cancelled.
    virtual bool ChooseFormatFile(QWidget* parent, std::string* pPath, std::string* pName) = 0;
};

// The prompt in use: the real Qt dialogs unless a test installed its own.
CUserPrompt& PfPrompt();
// Installs a replacement (tests); nullptr restores the real dialogs. Returns the previous one.
CUserPrompt* PfSetPrompt(CUserPrompt* pPrompt);
