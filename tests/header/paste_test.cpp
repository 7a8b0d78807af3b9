#include "header/header_paste.h"
#include "text/txt_alloc.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

// "declaration|title|return text|text 1|text 2|..." of what a paste puts into the form; the
// description boxes it leaves alone are not shown.
std::string Shown(const CPasteBoxes& boxes) {
    std::string shown = boxes.m_strDeclaration;
    for (const CBoxValue& value : boxes.m_vecDescriptions) {
        shown += "|" + value.m_strText;
    }
    return shown;
}

// A comment is taken off the paste only when it reads back through the chosen format whole and a
// declaration follows it; its descriptions go to the rows of the arguments they describe.
TEST(HeaderPaste, ReadsALeadingCommentBack) {
    const char* const format = HEADER_TEST_DATA "paste-format.txt";
    // One line, and no comment the cleaning drops.
    const char* const hashFormat = HEADER_TEST_DATA "paste-hash-format.txt";
    const std::string comment = "\n  // t\n  // a: A\n  // b: B\n  // r\n";
    // name, text pasted, format file, what the form shows
    const std::tuple<const char*, std::string, const char*, std::string> rows[] = {
        {"arguments reordered", comment + "  int f(int b, int a);", format,
         " int f(int b, int a);|t|r|B|A||||"},
        {"declaration not analysed", comment + "  int f;", format, " int f;|t|r"},
        // Without a comment read back, the paste is cleaned as always: comments go.
        {"no format chosen", comment + "  int f(int a);", "", " int f(int a);"},
        {"comment not in the format", "/* t */\n// r\nint f(int a);", format, "int f(int a);"},
        {"nothing after the comment", comment, format, " "},
        {"comment lines less indented", "// t\n// r\n  int f();", format, " int f();"},
        {"blank line and comment lines ended by CR LF", "\r\n// t\r\n// r\r\nint f();", format,
         "int f();|t|r||||||"},
        {"format missing", comment + "  int f(int a);", "/nonexistent/format.txt",
         " int f(int a);"},
        {"no format at all", comment + "  int f(int a);", nullptr, " int f(int a);"},
        {"nothing but blank lines", " \n\t\n", format, " "},
        {"a comment of one line", "# t\nint f();", hashFormat, "int f();|t|||||||"},
    };
    for (const auto& [name, pasted, pszFormat, shown] : rows) {
        CPasteBoxes boxes;
        ASSERT_EQ(HeaderPaste(pasted, pszFormat, {}, boxes), PasteResult::Done);
        EXPECT_EQ(Shown(boxes), shown) << name;
    }
    // Each request for memory refused in turn (the format's, the reading's, the cleaning's): the
    // paste either completes as it would have or says so and the form keeps what it shows.
    static int s_nRequests = 0;
    static int s_nRefused = 0;
    const std::string pasted = comment + "  int f(int a);";
    int nNoMemory = 0;
    for (s_nRefused = 1; s_nRefused < 400; ++s_nRefused) {
        CPasteBoxes kept{"kept", {}};
        s_nRequests = 0;
        TxtSetAllocHook([](std::size_t) { return ++s_nRequests != s_nRefused; });
        const PasteResult result = HeaderPaste(pasted, format, {}, kept);
        TxtSetAllocHook(nullptr);
        if (result == PasteResult::NoMemory) {
            ++nNoMemory;
            EXPECT_EQ(Shown(kept), "kept") << "request " << s_nRefused << " refused";
        } else {
            // A format that cannot be read (the first request) is as none; a run of blanks may
            // stay, as the analysis takes it.
            const testing::Matcher<std::string> done =
                s_nRefused == 1
                    ? testing::Matcher<std::string>(" int f(int a);")
                    : testing::AnyOf(" int f(int a);|t|r|A|||||", "  int f(int a);|t|r|A|||||");
            EXPECT_THAT(Shown(kept), done) << "request " << s_nRefused;
        }
        if (s_nRequests < s_nRefused) {
            break;
        }
    }
    EXPECT_GT(nNoMemory, 1);
    CPasteBoxes kept{"kept", {}};
    TxtSetAllocHook([](std::size_t) { return false; });
    EXPECT_EQ(HeaderPaste(pasted, format, {}, kept), PasteResult::NoMemory);
    TxtSetAllocHook(nullptr);
    EXPECT_EQ(Shown(kept), "kept");
}

} // namespace
