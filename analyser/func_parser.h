#pragma once

// Splits one C or C++ function declaration into function name, return type, owning class and
// the ordered argument list, by fixed text rules (this is not a parser of the language).

// Room for a declaration of at most 1023 bytes and for the names cut from it.
constexpr int FUNC_TEXT_SIZE = 1024;
// Room for a return type, an argument type or an argument name (at most 255 bytes).
constexpr int ARG_TEXT_SIZE = 256;

struct ArgInfo {
    char m_szType[ARG_TEXT_SIZE];
    char m_szName[ARG_TEXT_SIZE];
    ArgInfo* m_pNext;
};

class CFuncParser {
public:
    CFuncParser();
    ~CFuncParser();
    CFuncParser(const CFuncParser&) = delete;
    CFuncParser& operator=(const CFuncParser&) = delete;

    // 0 on success, -1 when the declaration is refused (a declaration over FUNC_TEXT_SIZE - 1
    // bytes included), TXT_ENOMEM when memory runs out. A return type, argument type or argument
    // name longer than its field is cut to fit, between whole characters.
    int Analyze(const char* text);
    // -1 when there is no function name; otherwise copies name (up to FUNC_TEXT_SIZE bytes)
    // and return type (up to ARG_TEXT_SIZE bytes).
    int GetFunc(char* name, char* retType) const;
    // 0 when the name was written Class::Name, -1 when not.
    int GetClassFlag() const;
    int GetOwnerClass(char* className) const;
    int GetArgCount() const;
    // index from 1; -1 above the count; 0 and nothing copied for an index below 1.
    int GetArg(int index, char* type, char* name) const;
    void Clear();

private:
    // Steps of Analyze. 0 when every bracket closes an earlier one and the text holds no colon or
    // two, -1 otherwise. 0 with the text before the last top-level bracket group in `head` and the
    // rest in `args`; -1, both untouched, when no group is closed.
    int CheckSyntax(const char* text);
    int SplitDecl(const char* text, char* head, char* args);
    // Function name, owning class and return type from the head (the text before the list).
    void TakeHead(char* head);
    void TakeName(const char* word);
    // Appends one node per argument; TXT_ENOMEM when a node cannot be allocated.
    int TakeArgs(char* args);

    ArgInfo m_head;
    int m_nClassFlag;
    int m_nArgCount;
    char m_szFuncName[FUNC_TEXT_SIZE];
    char m_szRetType[ARG_TEXT_SIZE];
    char m_szClassName[FUNC_TEXT_SIZE];
};
