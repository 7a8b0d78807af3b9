#pragma once

#include "header/header_analysis.h"
#include "header/header_readback.h"

#include <string>
#include <string_view>
#include <vector>

// How a fresh comment takes over what the old one said, once the old one is read back.

// A description whose argument the declaration no longer has.
struct CLostDescription {
    std::string m_strName; // the argument's name as the old comment showed it; empty if it did not
    std::string m_strText;
};

struct CHeaderUpdate {
    // The fresh comment's boxes, by key; empty for an empty box.
    std::string m_astrValues[HEADER_KEY_COUNT];
    std::vector<CLostDescription> m_vecLost;
};

// The boxes of a fresh comment for the declaration as it is now, whose analysed boxes are
// `current`, over the old comment read back as `old`:
// - the function, return type, class and every argument's type and name come from `current`
//   (a box it does not hold is empty);
// - the title, the return value's description, the author and the date stay as they were;
// - each argument's description goes with the argument of the same name, names compared without
//   their leading '*' and '&' (analyses differ in where they put them); when exactly one old
//   described argument and exactly one new argument are left without a partner, the description
//   moves to that one, as for a renamed argument; descriptions still left are lost;
// - a box that a condition kept filled without showing it stays filled, with its stand-in.
CHeaderUpdate HeaderUpdate(const CHeaderReading& old, const std::vector<CBoxValue>& current);

// True when two comments have the same lines, whatever their line ends (LF or CR LF) and the
// blanks at the end of their lines.
bool HeaderCommentsAgree(std::string_view first, std::string_view second);
