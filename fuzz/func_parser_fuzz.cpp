// The declaration analyser on arbitrary bytes, sometimes with refused allocations, read back
// through every getter into arrays exactly as large as the getters promise to need.

#include "analyser/func_parser.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"
#include "text/txt.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Heap arrays of the sizes the getters are documented to fill at most.
struct CGetterArrays {
    std::vector<char> m_szName = std::vector<char>(FUNC_TEXT_SIZE);
    std::vector<char> m_szRetType = std::vector<char>(ARG_TEXT_SIZE);
    std::vector<char> m_szClass = std::vector<char>(FUNC_TEXT_SIZE);
    std::vector<char> m_szType = std::vector<char>(ARG_TEXT_SIZE);
    std::vector<char> m_szArg = std::vector<char>(ARG_TEXT_SIZE);
};

// Words of a normalised piece are separated by single spaces, with none at either end.
bool IsTidy(const char* text) {
    const std::size_t length = std::strlen(text);
    return std::strstr(text, "  ") == nullptr && std::strchr(text, '\t') == nullptr &&
           (length == 0 || (text[0] != ' ' && text[length - 1] != ' '));
}

// Everything the getters tell, on one line; checks each getter's promises on the way.
// `tidy` asks for the normal form that every edit having had its memory guarantees.
std::string Describe(const CFuncParser& parser, bool tidy) {
    CGetterArrays arrays;
    std::string text;
    if (parser.GetFunc(arrays.m_szName.data(), arrays.m_szRetType.data()) == 0) {
        FuzzCheck(!tidy || (IsTidy(arrays.m_szName.data()) && IsTidy(arrays.m_szRetType.data())),
                  "function name and return type in normal form");
        text += std::string(arrays.m_szName.data()) + "|" + arrays.m_szRetType.data();
    }
    const int classFlag = parser.GetClassFlag();
    FuzzCheck(classFlag == 0 || classFlag == -1, "class flag 0 or -1");
    if (parser.GetOwnerClass(arrays.m_szClass.data()) == 0) {
        FuzzCheck(classFlag == 0, "an owning class only with the class flag 0");
        text += std::string("|") + arrays.m_szClass.data();
    }
    const int count = parser.GetArgCount();
    FuzzCheck(count >= 0, "argument count");
    for (int index = 1; index <= count; ++index) {
        FuzzCheck(parser.GetArg(index, arrays.m_szType.data(), arrays.m_szArg.data()) == 0,
                  "every counted argument is on the list");
        FuzzCheck(!tidy || (arrays.m_szType[0] != '\0' && arrays.m_szArg[0] != '\0' &&
                            IsTidy(arrays.m_szType.data()) && IsTidy(arrays.m_szArg.data())),
                  "argument type and name present and in normal form");
        text += std::string(";") + arrays.m_szType.data() + "/" + arrays.m_szArg.data();
    }
    FuzzCheck(parser.GetArg(count + 1, arrays.m_szType.data(), arrays.m_szArg.data()) == -1,
              "no argument past the count");
    return text;
}

bool IsEmpty(const CFuncParser& parser) {
    char szName[FUNC_TEXT_SIZE] = {};
    char szRet[ARG_TEXT_SIZE] = {};
    char szClass[FUNC_TEXT_SIZE] = {};
    return parser.GetFunc(szName, szRet) == -1 && parser.GetOwnerClass(szClass) == -1 &&
           parser.GetClassFlag() == 0 && parser.GetArgCount() == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    const unsigned char refuseMask = input.TakeByte();
    const std::string decl = input.TakeCString();

    CFuncParser parser;
    // A first result that a refused scratch copy must leave in place.
    FuzzCheck(parser.Analyze("int CFoo::Get(char *p, int n) const") == 0, "warm-up declaration");
    const std::string previous = Describe(parser, true);

    int result = 0;
    int refused = 0;
    {
        const CFuzzAllocFailures failures(refuseMask);
        result = parser.Analyze(decl.c_str());
        refused = failures.Refused();
    }
    const std::string described = Describe(parser, refused == 0);
    if (decl.size() >= static_cast<std::size_t>(FUNC_TEXT_SIZE)) {
        FuzzCheck(result == -1 && IsEmpty(parser), "an over-long declaration is refused");
    }
    if (result == -1) {
        FuzzCheck(IsEmpty(parser), "a refused declaration leaves the object empty");
    } else if (result == TXT_ENOMEM) {
        FuzzCheck(refused > 0, "TXT_ENOMEM only without memory");
        FuzzCheck(IsEmpty(parser) || described == previous,
                  "out of memory: empty, or unchanged when the scratch copy was refused");
    } else {
        FuzzCheck(result == 0, "Analyze gives 0, -1 or TXT_ENOMEM");
    }
    if (refused > 0) {
        return 0;
    }
    // With memory, the same declaration gives the same result again, on a used object too.
    FuzzCheck(parser.Analyze(decl.c_str()) == result && Describe(parser, true) == described,
              "a second analysis repeats the first");
    parser.Clear();
    FuzzCheck(IsEmpty(parser), "Clear empties the object");
    return 0;
}
