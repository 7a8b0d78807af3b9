#include "window_path.h"

#include "analyser/func_parser.h"
#include "format/field_list.h"
#include "format/header_keys.h"
#include "text/codepage.h"
#include "text/txt.h"

#include <cstring>
#include <vector>

std::string WindowComment(const std::string& pasted, WindowBoxes boxes, const std::string& format) {
    char clipboard[2048] = {};
    std::memcpy(clipboard, pasted.data(), TxtCp932Cut(pasted, 2047));
    CFuncParser parser;
    char declaration[1024] = {};
    if (TxtCleanPasted(clipboard) != 0) {
        return {};
    }
    std::memcpy(declaration, clipboard, TxtCp932Cut(clipboard, 1023));
    if (parser.Analyze(declaration) != 0) {
        return {};
    }
    char name[1024] = {}, type[1024] = {}, className[1024] = {};
    parser.GetFunc(name, type);
    boxes["FUNC"] = name;
    boxes["RET"] = type;
    if (parser.GetClassFlag() == 0) {
        parser.GetOwnerClass(className);
        boxes["CLASS"] = className;
    }
    for (int row = 1; row <= 6 && row <= parser.GetArgCount(); ++row) {
        char argType[1024] = {}, argName[1024] = {};
        parser.GetArg(row, argType, argName);
        boxes["ARG_" + std::to_string(row) + "_TYPE"] = argType;
        boxes["ARG_" + std::to_string(row) + "_NAME"] = argName;
    }
    parser.Clear();

    const char* values[HEADER_KEY_COUNT];
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        std::string& box = boxes[g_apszHeaderKeys[i]];
        box.resize(TxtCp932Cut(box, 1023)); // the window reads each box into 1024 bytes
        values[i] = box.c_str();
    }
    CFieldList fields;
    HeaderAddFields(fields, values);
    std::vector<char> output(EXPAND_OUTPUT_SIZE, '\0');
    const int result = fields.ExpandFile(format.c_str(), output.data());
    fields.FreeFields();
    return result == 0 ? std::string(output.data()) : std::string();
}

std::string WindowClipboard(const std::string& pasted, const WindowBoxes& boxes,
                            const std::string& format) {
    return WithoutCr(TxtCp932ToUtf8(WindowComment(pasted, boxes, format)));
}

std::string WithoutCr(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.erase(at, 1);
    }
    return text;
}
