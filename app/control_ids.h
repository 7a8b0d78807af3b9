#pragma once

// Identifiers of the main form's controls; the commands reach every box and button by these.
constexpr int IDC_STATIC = -1; // labels and group boxes, never looked up
constexpr int IDC_DECL_INPUT = 1000;
constexpr int IDC_ANALYZE = 1001;
constexpr int IDC_RET = 1002;
constexpr int IDC_FUNC = 1003;
constexpr int IDC_MAKE_HEADER = 1004;
constexpr int IDC_CLASS = 1005;
constexpr int IDC_ARG1_TYPE = 1006;
constexpr int IDC_ARG1_NAME = 1007;
constexpr int IDC_ARG1_TEXT = 1008;
constexpr int IDC_DATE = 1024;
constexpr int IDC_DEVELOP = 1025;
constexpr int IDC_TITLE = 1026;
constexpr int IDC_SELECT_FORMAT = 1027;
constexpr int IDC_FORMAT_NAME = 1028;
constexpr int IDC_CLEAR_INPUT = 1029;
constexpr int IDC_RET_TEXT = 1030;
constexpr int IDC_PASTE = 1031;
// The About box's only button.
constexpr int IDOK = 1;

// Each argument row holds three boxes (type, name, description) with consecutive identifiers.
constexpr int ARG_ROW_STRIDE = 3;

// Boxes of argument row nRow, counted from 1.
constexpr int ArgTypeId(int nRow) {
    return IDC_ARG1_TYPE + ARG_ROW_STRIDE * (nRow - 1);
}
constexpr int ArgNameId(int nRow) {
    return IDC_ARG1_NAME + ARG_ROW_STRIDE * (nRow - 1);
}
constexpr int ArgTextId(int nRow) {
    return IDC_ARG1_TEXT + ARG_ROW_STRIDE * (nRow - 1);
}
