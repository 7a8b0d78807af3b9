#pragma once

#include <string>
#include <string_view>
#include <vector>

// Reads one C or C++ function declaration as a programmer does, rather than by the fixed text
// rules of CFuncParser: specifiers, attributes and the macros of a drop list are left out of
// the types, pointer marks belong to the type, default values and everything after the
// parameter list are left out, and brackets of every kind keep their commas. The results are
// code page 932 text, not cut to any length.

struct CTidyArg {
    std::string
        m_strType; // "const char *", "std::map<int, int>", "void (*)(int)", "int[10]", "..."
    std::string m_strName; // "" for an unnamed parameter
    std::string m_strText; // the comment written right after the parameter; "" when none
};

enum class TidyResult { Done, SyntaxError };

// The parts of one declaration.
struct CTidyParts {
    std::string m_strFunc;
    std::string m_strRet;
    std::string m_strClass;
    std::vector<CTidyArg> m_vecArgs;
};

class CTidyAnalysis {
public:
    // Reads one declaration: code page 932 bytes as the declaration box or a source file holds
    // it, with line breaks, tabs, /* */ and // comments (a comment written after a parameter
    // becomes its text, so the text must reach here as written). `vecExtraDrop` are the user's
    // own words for the drop list, added to the built-in one. Done with the parts set;
    // SyntaxError, every part empty, when it cannot be read as a function declaration. Memory
    // running out throws std::bad_alloc with every part empty. Time and memory are linear in
    // the length of the text.
    TidyResult Analyze(std::string_view declaration,
                       const std::vector<std::string>& vecExtraDrop = {});

    // "strdup", "operator==", "operator new", "~CFoo", "operator bool"
    const std::string& Func() const { return m_parts.m_strFunc; }
    // "char *"; "" for constructors, destructors and conversion functions
    const std::string& Ret() const { return m_parts.m_strRet; }
    // The qualifier written right before the name: "ns::CFoo" for void ns::CFoo::Bar(); ""
    // when there is none
    const std::string& Class() const { return m_parts.m_strClass; }
    const std::vector<CTidyArg>& Args() const { return m_parts.m_vecArgs; }

private:
    CTidyParts m_parts;
};
