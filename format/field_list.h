#pragma once

// Named values for the expansion of a format file, in insertion order; the list object is
// itself the head node, whose empty name always matches with the empty value.

// Room for a field name or value of at most 1023 bytes.
constexpr int FIELD_TEXT_SIZE = 1024;
// Room for the whole expanded text: at most 65534 bytes and the terminator.
constexpr int EXPAND_OUTPUT_SIZE = 65535;

class CFormatText;

// Results of ExpandLine.
constexpr int EXPAND_APPENDED = 0;
constexpr int EXPAND_KEEP_NEXT = 10;
constexpr int EXPAND_SKIP_NEXT = 20;

struct FieldNode {
    char m_szName[FIELD_TEXT_SIZE];
    char m_szValue[FIELD_TEXT_SIZE];
    FieldNode* m_pNext;
};

class CFieldList {
public:
    CFieldList();
    ~CFieldList();
    CFieldList(const CFieldList&) = delete;
    CFieldList& operator=(const CFieldList&) = delete;

    // 0 when added; -1 (list unchanged) for a name or value over 1023 bytes or no memory.
    int AddField(const char* name, const char* value);
    // 0 with the value copied into out (FIELD_TEXT_SIZE bytes cover any value), -1 when absent.
    int FindField(const char* name, char* out) const;
    void FreeFields();

    // Expands the format file at `path` into `output` (EXPAND_OUTPUT_SIZE bytes). 0 when the
    // file could be read, -1 (output untouched) when it is not a regular file, cannot be opened
    // or cannot be read into memory.
    int ExpandFile(const char* path, char* output);
    // Expands a loaded format text from its first piece into `output` (EXPAND_OUTPUT_SIZE bytes),
    // as ExpandFile does once the file is read; the text is left after the last piece used.
    void ExpandText(CFormatText& text, char* output);
    // Expands one line piece, appending to the text in `output` (EXPAND_OUTPUT_SIZE bytes,
    // never filled beyond its last byte). EXPAND_APPENDED, EXPAND_KEEP_NEXT or EXPAND_SKIP_NEXT.
    int ExpandLine(const char* line, char* output);

private:
    char m_szName[FIELD_TEXT_SIZE];
    char m_szValue[FIELD_TEXT_SIZE];
    FieldNode* m_pNext;
};
