#include "format/field_list.h"

#include "text/txt_alloc.h"

#include <cstring>
#include <new>

CFieldList::CFieldList() : m_szName{}, m_szValue{}, m_pNext(nullptr) {}

// Nodes still linked when the list goes out of scope are released here as well, so that a
// caller that forgets FreeFields on some path does not leak them.
CFieldList::~CFieldList() {
    FreeFields();
}

int CFieldList::AddField(const char* name, const char* value) {
    if (name == nullptr || value == nullptr) {
        return -1;
    }
    // Both lengths are checked before anything is allocated, so a refusal leaves the list as it
    // was.
    const std::size_t nameLen = std::strlen(name);
    const std::size_t valueLen = std::strlen(value);
    if (nameLen >= FIELD_TEXT_SIZE || valueLen >= FIELD_TEXT_SIZE) {
        return -1;
    }
    void* block = TxtAlloc(sizeof(FieldNode));
    if (block == nullptr) {
        return -1;
    }
    auto* node = new (block) FieldNode{};
    std::memcpy(node->m_szName, name, nameLen + 1);
    std::memcpy(node->m_szValue, value, valueLen + 1);

    // No tail pointer: the list holds a few dozen fields at most.
    FieldNode** link = &m_pNext;
    while (*link != nullptr) {
        link = &(*link)->m_pNext;
    }
    *link = node;
    return 0;
}

int CFieldList::FindField(const char* name, char* out) const {
    if (name == nullptr) {
        return -1;
    }
    // The search starts at the head itself, so the empty name always finds the empty value and a
    // field added under the empty name is never returned.
    const char* found = nullptr;
    if (std::strcmp(name, m_szName) == 0) {
        found = m_szValue;
    }
    for (const FieldNode* node = m_pNext; found == nullptr && node != nullptr;
         node = node->m_pNext) {
        if (std::strcmp(name, node->m_szName) == 0) {
            found = node->m_szValue;
        }
    }
    if (found == nullptr) {
        return -1;
    }
    std::strcpy(out, found);
    return 0;
}

void CFieldList::FreeFields() {
    FieldNode* node = m_pNext;
    while (node != nullptr) {
        FieldNode* next = node->m_pNext;
        TxtFree(node);
        node = next;
    }
    m_pNext = nullptr;
}
