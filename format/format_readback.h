#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CFormatText;

// Reading a comment back through the format file it was expanded from: the values whose
// expansion gives the comment's lines. Knows nothing of which keys a header has; the caller
// lists them.
//
// A reading is exact up to three things editors and insertion change: LF or CR LF line ends,
// blanks at the end of a line, and the indentation put before every line (which the caller takes
// off). A listed key is either absent or present with a value of at least one byte that holds no
// "<@", "@>", CR, LF or NUL and fits a field; any key not listed is never present, and the empty
// key always is. When several readings give the comment, the chosen one is, in this order:
// 1. the one with the most keys whose value equals the value the caller prefers for it (an absent
//    key has the empty value);
// 2. then the one with the most keys present where the caller prefers a value for them and
//    absent where it prefers them absent (a return type that changed since is still a type);
// 3. then the one with the most name keys whose value holds no blank;
// 4. then, going through the comment from its start, the one whose first value that differs is
//    shorter (an absent key counting as shortest).
// The chosen reading is expanded again and must give the comment; otherwise there is none.

// Keys one read-back tells apart at most: what a piece and the pieces after it use is one word.
constexpr std::size_t READBACK_KEY_LIMIT = 64;
// The value a key gets that a condition tests but no placeholder shows: some value makes it
// present, and this one has no blank and reads as a placeholder for the real one.
constexpr const char* READBACK_STAND_IN = "-";
// Steps of the search for each byte of the comment or item of the format, for each placeholder
// the fullest line holds: the example files' comments with every box filled take at most a
// thirtieth of that, while one built to be read in every way gives up within milliseconds.
constexpr std::size_t READBACK_STEPS_PER_UNIT = 64;
// Steps of the search at most, whatever the sizes: about five milliseconds, and still two hundred
// times what a 150-line comment of all 25 keys takes.
constexpr std::size_t READBACK_STEP_LIMIT = std::size_t{1} << 18;

// What the caller says of one key that may be present.
struct CReadBackKey {
    std::string m_strName;
    // A function, class or argument name: a reading that gives it no blank is preferred.
    bool m_bName = false;
    // Whether m_strPreferred holds the value the caller expects; empty expects the key absent.
    bool m_bPreferred = false;
    std::string m_strPreferred;
};

// What a reading says of one key: absent, shown with its value, or present only as a condition
// tells (with READBACK_STAND_IN as its value).
enum class ReadKeyState { Absent, Shown, StandIn };

struct CReadBackValue {
    ReadKeyState m_eState = ReadKeyState::Absent;
    std::string m_strValue;
};

// NoMemory: the values found could not be checked for want of memory, which tells nothing of the
// comment either way.
enum class FormatReadBack { Read, NoMatch, OverBudget, NoMemory };

struct CFormatReading {
    // One entry per key, in the order the caller listed them.
    std::vector<CReadBackValue> m_vecValues;
    // Without a reading: the format file's line (from 1) where the search got furthest into the
    // comment, and the comment's line (from 1) it was at. The format line is 0 where no line is
    // to blame: a reading the expansion did not confirm, or too many keys.
    int m_nFormatLine = 0;
    int m_nCommentLine = 0;
};

struct CReadModel;

// A format file made ready for reading comments back through it, so that reading the comments
// above every function of a file prepares the format once. `format` stays loaded and unchanged
// while the reader lives; every read names the keys given here, in the same order, with the
// values it prefers for them.
class CFormatReader {
public:
    CFormatReader(CFormatText& format, const std::vector<CReadBackKey>& keys);
    ~CFormatReader();
    CFormatReader(const CFormatReader&) = delete;
    CFormatReader& operator=(const CFormatReader&) = delete;

    // As FormatReadComment.
    FormatReadBack Read(std::string_view comment, const std::vector<CReadBackKey>& keys,
                        CFormatReading& reading);

private:
    CFormatText& m_format;
    std::unique_ptr<CReadModel> m_pModel;
};

// Reads `comment` (code page 932) back through the loaded `format`, whose pieces it walks from
// the first. Read with a value for every key; NoMatch, or OverBudget when the search needed more
// steps than READBACK_STEPS_PER_UNIT and READBACK_STEP_LIMIT allow, with the values all absent
// and the lines set. More than READBACK_KEY_LIMIT keys is NoMatch.
FormatReadBack FormatReadComment(CFormatText& format, std::string_view comment,
                                 const std::vector<CReadBackKey>& keys, CFormatReading& reading);

// The lines of `text` as a read-back compares them: a CR before each LF removed, blanks at each
// line's end removed, and every line ended by one LF (a last line without one gets it).
std::string FormatCommentLines(std::string_view text);
