#include "analyser/func_parser.h"

#include <cstring>

#include "text/txt_alloc.h"

CFuncParser::CFuncParser()
    : m_head{}, m_nClassFlag(0), m_nArgCount(0), m_szFuncName{}, m_szRetType{}, m_szClassName{} {}

// Owners are asked to Clear before dropping the object; releasing here as well means a
// forgotten Clear, or an early return in the owner, cannot leak the list.
CFuncParser::~CFuncParser() {
    Clear();
}

void CFuncParser::Clear() {
    ArgInfo* pNode = m_head.m_pNext;
    while (pNode != nullptr) {
        ArgInfo* pNext = pNode->m_pNext;
        TxtFree(pNode);
        pNode = pNext;
    }
    m_head.m_pNext = nullptr;
    m_nArgCount = 0;
    m_nClassFlag = 0;
    std::memset(m_szFuncName, 0, sizeof m_szFuncName);
    std::memset(m_szRetType, 0, sizeof m_szRetType);
    std::memset(m_szClassName, 0, sizeof m_szClassName);
}

int CFuncParser::GetFunc(char* name, char* retType) const {
    if (m_szFuncName[0] == '\0') {
        return -1;
    }
    std::strcpy(name, m_szFuncName);
    std::strcpy(retType, m_szRetType);
    return 0;
}

int CFuncParser::GetClassFlag() const {
    return m_nClassFlag;
}

int CFuncParser::GetOwnerClass(char* className) const {
    if (m_nClassFlag != 0 || m_szClassName[0] == '\0') {
        return -1;
    }
    std::strcpy(className, m_szClassName);
    return 0;
}

int CFuncParser::GetArgCount() const {
    return m_nArgCount;
}

int CFuncParser::GetArg(int index, char* type, char* name) const {
    if (index > m_nArgCount) {
        return -1;
    }
    // An index below 1 names no node; callers have always been told 0 for it, with their
    // buffers left as they were.
    if (index < 1) {
        return 0;
    }
    // The list holds exactly m_nArgCount nodes, so the walk never runs off its end.
    const ArgInfo* pNode = m_head.m_pNext;
    for (int i = 1; i < index; ++i) {
        pNode = pNode->m_pNext;
    }
    std::strcpy(type, pNode->m_szType);
    std::strcpy(name, pNode->m_szName);
    return 0;
}
