#include "analyser/func_parser.h"
#include "app/control_ids.h"
#include "app/header_dlg.h"
#include "app/strings.h"
#include "format/field_list.h"
#include "format/header_keys.h"
#include "platform/clipboard.h"
#include "platform/user_prompt.h"
#include "text/txt.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// Room for a pasted declaration: at most 2047 bytes of the clipboard and the terminator.
constexpr int PASTE_TEXT_SIZE = 2048;

// The boxes that feed the template keys, in the keys' order (g_apszHeaderKeys).
constexpr int HEADER_KEY_IDS[HEADER_KEY_COUNT] = {
    IDC_FUNC,     IDC_RET,      IDC_RET_TEXT, IDC_CLASS,    IDC_DEVELOP,
    IDC_TITLE,    IDC_DATE,     ArgTypeId(1), ArgNameId(1), ArgTextId(1),
    ArgTypeId(2), ArgNameId(2), ArgTextId(2), ArgTypeId(3), ArgNameId(3),
    ArgTextId(3), ArgTypeId(4), ArgNameId(4), ArgTextId(4), ArgTypeId(5),
    ArgNameId(5), ArgTextId(5), ArgTypeId(6), ArgNameId(6), ArgTextId(6),
};

} // namespace

void CHeaderDlg::OnAnalyze() {
    CFuncParser parser;
    ClearAnalysis();
    char szDecl[FUNC_TEXT_SIZE] = {};
    GetDlgItemText(IDC_DECL_INPUT, szDecl, sizeof szDecl);
    const int nResult = parser.Analyze(szDecl);
    if (nResult != 0) {
        // Running out of memory says nothing about the declaration; calling it a syntax error
        // would send the user hunting for a fault that is not there.
        ShowMessage(nResult == TXT_ENOMEM ? MSG_NO_MEMORY : MSG_SYNTAX_ERROR);
        return;
    }

    // Buffers as large as the declaration itself, so that no name the analyser returns is cut.
    char szName[FUNC_TEXT_SIZE] = {};
    char szRetType[FUNC_TEXT_SIZE] = {};
    parser.GetFunc(szName, szRetType);
    SetDlgItemText(IDC_FUNC, szName);
    SetDlgItemText(IDC_RET, szRetType);
    if (parser.GetClassFlag() == 0) {
        char szClass[FUNC_TEXT_SIZE] = {};
        parser.GetOwnerClass(szClass);
        SetDlgItemText(IDC_CLASS, szClass);
    }

    int nArgs = parser.GetArgCount();
    if (nArgs > ARG_ROW_COUNT) {
        // No: the function's own boxes stand, no argument row is filled.
        nArgs = AskYesNo(MSG_TOO_MANY_ARGS) ? ARG_ROW_COUNT : 0;
    }
    for (int i = 1; i <= nArgs; ++i) {
        char szType[FUNC_TEXT_SIZE] = {};
        char szArg[FUNC_TEXT_SIZE] = {};
        parser.GetArg(i, szType, szArg);
        SetDlgItemText(ArgTypeId(i), szType);
        SetDlgItemText(ArgNameId(i), szArg);
    }
    parser.Clear();
}

void CHeaderDlg::OnClearInput() {
    SetDlgItemText(IDC_DECL_INPUT, "");
    SetDlgItemText(IDC_RET_TEXT, "");
    SetDlgItemText(IDC_TITLE, "");
    for (int i = 1; i <= ARG_ROW_COUNT; ++i) {
        SetDlgItemText(ArgTextId(i), "");
    }
    ClearAnalysis();
}

void CHeaderDlg::OnPasteClipboard() {
    std::string strText;
    const int nRead = ReadClipboard(&strText, PASTE_TEXT_SIZE - 1);
    if (nRead != CLIP_OK) {
        ShowMessage(nRead == CLIP_NO_TEXT ? MSG_NOT_TEXT : MSG_CLIPBOARD_ERROR);
        return;
    }
    char szText[PASTE_TEXT_SIZE] = {};
    strText.copy(szText, PASTE_TEXT_SIZE - 1);
    if (TxtCleanPasted(szText) != 0) {
        // Half-cleaned text would be worse than none: the box keeps what it had.
        ShowMessage(MSG_BUFFER_ERROR);
        return;
    }
    SetDlgItemText(IDC_DECL_INPUT, "");
    SetDlgItemText(IDC_DECL_INPUT, szText);
}

void CHeaderDlg::OnSelectFormat() {
    std::string strPath;
    std::string strName;
    // Cancelling keeps the file chosen before: closing the chooser is no choice.
    if (!PfPrompt().ChooseFormatFile(this, &strPath, &strName)) {
        return;
    }
    if (strPath.size() >= sizeof m_szFormatPath) {
        ShowMessage(MSG_PATH_TOO_LONG);
        return;
    }
    std::fill(std::begin(m_szFormatPath), std::end(m_szFormatPath), '\0');
    strPath.copy(m_szFormatPath, strPath.size());
    SetDlgItemText(IDC_FORMAT_NAME, strName);
}

void CHeaderDlg::OnMakeHeader() {
    if (m_szFormatPath[0] == '\0') {
        ShowMessage(MSG_SELECT_FORMAT);
        return;
    }
    CFieldList list;
    // One zeroed text per box, each cut to what a field holds; on the heap, as is the output,
    // since together they are far larger than a stack frame should be.
    std::vector<char> vecTexts(static_cast<std::size_t>(HEADER_KEY_COUNT) * FIELD_TEXT_SIZE);
    const char* apszValues[HEADER_KEY_COUNT] = {};
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        char* pszText = vecTexts.data() + static_cast<std::size_t>(i) * FIELD_TEXT_SIZE;
        GetDlgItemText(HEADER_KEY_IDS[i], pszText, FIELD_TEXT_SIZE);
        apszValues[i] = pszText;
    }
    HeaderAddFields(list, apszValues);

    std::vector<char> vecOutput(EXPAND_OUTPUT_SIZE);
    if (list.ExpandFile(m_szFormatPath, vecOutput.data()) != 0) {
        ShowMessage(MSG_FORMAT_FAULTY);
    } else if (vecOutput[0] == '\0') {
        ShowMessage(MSG_EMPTY_EXPANSION);
    } else if (WriteClipboard(vecOutput.data()) == 1) {
        ShowMessage(MSG_COPIED);
    } else {
        ShowMessage(MSG_CLIPBOARD_WRITE);
    }
    list.FreeFields();
}

void CHeaderDlg::ClearAnalysis() {
    SetDlgItemText(IDC_FUNC, "");
    SetDlgItemText(IDC_RET, "");
    SetDlgItemText(IDC_CLASS, "");
    for (int i = 1; i <= ARG_ROW_COUNT; ++i) {
        SetDlgItemText(ArgTypeId(i), "");
    }
    for (int i = 1; i <= ARG_ROW_COUNT; ++i) {
        SetDlgItemText(ArgNameId(i), "");
    }
}

int CHeaderDlg::CopyToClipboard(const char* pszText) {
    if (pszText == nullptr || pszText[0] == '\0') {
        return 0;
    }
    return ClipWriteText(pszText) ? 1 : 0;
}

int CHeaderDlg::ReadClipboard(std::string* pCp932, std::size_t nMaxBytes) {
    return ClipReadText(pCp932, nMaxBytes);
}

int CHeaderDlg::WriteClipboard(const char* pszText) {
    return CopyToClipboard(pszText);
}
