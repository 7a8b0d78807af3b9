#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class QWidget;

// The desktop as the form reaches it: message boxes, the file chooser and the clipboard. The
// form is given one through its application object, so that tests can answer the prompts,
// stage a clipboard and read what was shown.
class CDesktopServices {
public:
    virtual ~CDesktopServices() = default;

    // Modal message box captioned with the program's title, no icon, an OK button. Text in
    // code page 932.
    virtual void Message(QWidget* parent, const std::string& cp932Text) = 0;
    // The same with Yes and No; true for Yes.
    virtual bool Question(QWidget* parent, const std::string& cp932Text) = 0;
    // File-open chooser for format files, opened in strFolder (file system bytes) with "*.txt"
    // in its name box; true with the chosen full path (file system bytes) and its file name
    // (code page 932) when the user picked one, false with both untouched when cancelled.
    virtual bool ChooseFormatFile(QWidget* parent, const std::string& strFolder, std::string* pPath,
                                  std::string* pName) = 0;
    // The clipboard's text as ClipReadText reads it: CLIP_OK, CLIP_NO_TEXT or CLIP_ERROR.
    virtual int ReadClipboard(std::string* pCp932, std::size_t nMaxBytes) = 0;
    // Places text on the clipboard as ClipWriteText does; false when nothing was placed.
    virtual bool WriteClipboard(std::string_view cp932) = 0;
};

// The real desktop: Qt's dialogs and the system clipboard.
CDesktopServices& PfDesktopServices();
