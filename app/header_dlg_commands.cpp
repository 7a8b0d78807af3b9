#include "app/chooser_folder.h"
#include "app/control_ids.h"
#include "app/header_dlg.h"
#include "app/key_boxes.h"
#include "header/box_text.h"
#include "header/header_analysis.h"
#include "header/header_paste.h"
#include "header/header_values.h"
#include "header/messages.h"
#include "platform/clipboard.h"
#include "platform/desktop_services.h"

#include <QCoreApplication>
#include <algorithm>
#include <iterator>

void CHeaderDlg::OnAnalyze() {
    ClearAnalysis();
    CHeaderAnalysis analysis;
    const AnalyzeResult eResult = analysis.Analyze(GetDlgItemText(IDC_DECL_INPUT), m_choice);
    if (eResult != AnalyzeResult::Done) {
        ShowMessage(HeaderAnalyzeMessage(eResult));
        return;
    }
    int nRows = analysis.ArgCount();
    if (nRows > HEADER_ARG_ROWS) {
        // No: the function's own boxes stand, no argument row is filled.
        nRows = AskYesNo(MSG_TOO_MANY_ARGS) ? HEADER_ARG_ROWS : 0;
    }
    ShowBoxValues(analysis.BoxValues(nRows));
    // A description written after a parameter fills its row's box only while that is empty:
    // what the user typed, or a paste read back from a comment, comes first.
    for (int i = 1; i <= nRows; ++i) {
        if (GetDlgItemText(ArgTextId(i)).empty()) {
            SetDlgItemText(ArgTextId(i), analysis.ArgComment(i));
        }
    }
}

void CHeaderDlg::OnClearInput() {
    SetDlgItemText(IDC_DECL_INPUT, "");
    SetDlgItemText(IDC_RET_TEXT, "");
    SetDlgItemText(IDC_TITLE, "");
    for (int i = 1; i <= HEADER_ARG_ROWS; ++i) {
        SetDlgItemText(ArgTextId(i), "");
    }
    ClearAnalysis();
}

void CHeaderDlg::OnPasteClipboard() {
    std::string strText;
    const int nRead = m_services.ReadClipboard(&strText, PASTE_READ_MAX);
    if (nRead != CLIP_OK) {
        ShowMessage(nRead == CLIP_NO_TEXT ? MSG_NOT_TEXT : MSG_CLIPBOARD_ERROR);
        return;
    }
    CPasteBoxes boxes;
    if (HeaderPaste(strText, m_szFormatPath, m_choice, boxes) != PasteResult::Done) {
        ShowMessage(MSG_BUFFER_ERROR);
        return;
    }
    SetDlgItemText(IDC_DECL_INPUT, "");
    SetDlgItemText(IDC_DECL_INPUT, boxes.m_strDeclaration);
    ShowBoxValues(boxes.m_vecDescriptions);
}

void CHeaderDlg::OnSelectFormat() {
    std::string strPath;
    std::string strName;
    const std::string strFolder =
        AppChooserFolder(m_szFormatPath, QCoreApplication::applicationDirPath());
    // Cancelling keeps the file chosen before: closing the chooser is no choice.
    if (!m_services.ChooseFormatFile(this, strFolder, &strPath, &strName)) {
        return;
    }
    if (!HeaderPathFits(strPath)) {
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
    CHeaderValues values;
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        values.Set(i, GetDlgItemText(KeyBoxId(i)));
    }
    std::string strComment;
    if (values.Expand(m_szFormatPath, strComment) != HeaderExpandResult::Done) {
        ShowMessage(MSG_FORMAT_FAULTY);
    } else if (strComment.empty()) {
        ShowMessage(MSG_EMPTY_EXPANSION);
    } else if (CopyToClipboard(strComment.c_str()) == 1) {
        ShowMessage(MSG_COPIED);
    } else {
        ShowMessage(MSG_CLIPBOARD_WRITE);
    }
}

void CHeaderDlg::ClearAnalysis() {
    ShowBoxValues(CHeaderAnalysis().BoxValues(0));
}

int CHeaderDlg::CopyToClipboard(const char* pszText) {
    if (pszText == nullptr || pszText[0] == '\0') {
        return 0;
    }
    return m_services.WriteClipboard(pszText) ? 1 : 0;
}

void CHeaderDlg::ShowBoxValues(const std::vector<CBoxValue>& values) {
    for (const CBoxValue& value : values) {
        SetDlgItemText(KeyBoxId(value.m_nKey), value.m_strText);
    }
}
