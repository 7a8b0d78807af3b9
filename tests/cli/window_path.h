#pragma once

#include <map>
#include <string>

// Texts typed into the window's boxes, by template key, in code page 932.
using WindowBoxes = std::map<std::string, std::string>;

// What the window's Make header puts on the clipboard after `pasted` (code page 932) was pasted,
// analysed (answering Yes to the argument question) and `boxes` filled in, built straight
// through the core as the window builds it: code page 932 with CR LF line ends, or UTF-8 with
// LF line ends, the clipboard's text. Empty when the declaration or format file is refused.
std::string WindowComment(const std::string& pasted, WindowBoxes boxes, const std::string& format);
std::string WindowClipboard(const std::string& pasted, const WindowBoxes& boxes,
                            const std::string& format);

std::string WithoutCr(std::string text);
