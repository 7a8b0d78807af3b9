#include "app/header_dlg.h"

// The commands' bodies are not written yet; each button is already wired to its handler.

// Analyses the declaration box into the function, class and argument boxes.
void CHeaderDlg::OnAnalyze() {}

// Empties what the user typed for one function.
void CHeaderDlg::OnClearInput() {}

// Brings a declaration from the clipboard into the declaration box, cleaned of comments.
void CHeaderDlg::OnPasteClipboard() {}

// Lets the user choose the format file.
void CHeaderDlg::OnSelectFormat() {}

// Expands the format file with the form's texts onto the clipboard.
void CHeaderDlg::OnMakeHeader() {}

// Empties the fifteen boxes that Analyse fills.
void CHeaderDlg::ClearAnalysis() {}

// Places the finished comment on the clipboard.
int CHeaderDlg::CopyToClipboard(const char* /*pszText*/) {
    return 0;
}
