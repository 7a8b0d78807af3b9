#include "analyser/tidy_words.h"

#include <algorithm>
#include <iterator>

namespace {

struct CWordRow {
    std::string_view m_svWord;
    TidyWordKind m_kind;
};

using K = TidyWordKind;

// Sorted by word (byte order) for the binary search; the static_assert below keeps it so.
constexpr CWordRow WORDS[] = {
    {"CONST", K::Qualifier}, // const, as the Windows headers spell it
    {"_Alignas", K::Attribute},
    {"_Alignof", K::Operand},
    {"_Atomic", K::Operand},
    {"_Bool", K::BuiltinType},
    {"_Complex", K::BuiltinType},
    {"_Imaginary", K::BuiltinType},
    {"_Noreturn", K::Specifier},
    {"_Pragma", K::Attribute},
    {"_Static_assert", K::Keyword},
    {"_Thread_local", K::Specifier},
    {"_Xconst", K::Qualifier}, // const, as the X11 headers spell it
    {"__alignof__", K::Operand},
    {"__asm", K::Attribute},
    {"__asm__", K::Attribute},
    {"__attribute", K::Attribute},
    {"__attribute__", K::Attribute},
    {"__const", K::Qualifier},
    {"__const__", K::Qualifier},
    {"__declspec", K::Attribute},
    {"__extension__", K::Specifier},
    {"__forceinline", K::Specifier},
    {"__inline", K::Specifier},
    {"__inline__", K::Specifier},
    {"__int128", K::BuiltinType},
    {"__int16", K::BuiltinType},
    {"__int32", K::BuiltinType},
    {"__int64", K::BuiltinType},
    {"__int8", K::BuiltinType},
    {"__pragma", K::Attribute},
    {"__restrict", K::Specifier},
    {"__restrict__", K::Specifier},
    {"__signed", K::BuiltinType},
    {"__signed__", K::BuiltinType},
    {"__thread", K::Specifier},
    {"__typeof", K::Operand},
    {"__typeof__", K::Operand},
    {"__volatile", K::Qualifier},
    {"__volatile__", K::Qualifier},
    {"alignas", K::Attribute},
    {"alignof", K::Operand},
    {"asm", K::Attribute},
    {"auto", K::BuiltinType},
    {"bool", K::BuiltinType},
    {"break", K::Keyword},
    {"case", K::Keyword},
    {"char", K::BuiltinType},
    {"char16_t", K::BuiltinType},
    {"char32_t", K::BuiltinType},
    {"char8_t", K::BuiltinType},
    {"class", K::Elaborated},
    {"co_await", K::Keyword},
    {"co_return", K::Keyword},
    {"co_yield", K::Keyword},
    {"const", K::Qualifier},
    {"const_cast", K::Keyword},
    {"consteval", K::Specifier},
    {"constexpr", K::Specifier},
    {"constinit", K::Specifier},
    {"continue", K::Keyword},
    {"decltype", K::Operand},
    {"default", K::Keyword},
    {"delete", K::Keyword},
    {"do", K::Keyword},
    {"double", K::BuiltinType},
    {"dynamic_cast", K::Keyword},
    {"else", K::Keyword},
    {"enum", K::Elaborated},
    {"explicit", K::Specifier},
    {"extern", K::Specifier},
    {"false", K::Keyword},
    {"final", K::Trailing},
    {"float", K::BuiltinType},
    {"for", K::Keyword},
    {"friend", K::Specifier},
    {"goto", K::Keyword},
    {"if", K::Keyword},
    {"inline", K::Specifier},
    {"int", K::BuiltinType},
    {"long", K::BuiltinType},
    {"mutable", K::Specifier},
    {"namespace", K::Keyword},
    {"new", K::Keyword},
    {"noexcept", K::Trailing},
    {"nullptr", K::Keyword},
    {"operator", K::Keyword},
    {"override", K::Trailing},
    {"register", K::Specifier},
    {"reinterpret_cast", K::Keyword},
    {"requires", K::Trailing},
    {"restrict", K::Specifier},
    {"return", K::Keyword},
    {"short", K::BuiltinType},
    {"signed", K::BuiltinType},
    {"sizeof", K::Operand},
    {"static", K::Specifier},
    {"static_assert", K::Keyword},
    {"static_cast", K::Keyword},
    {"struct", K::Elaborated},
    {"switch", K::Keyword},
    {"template", K::Keyword},
    {"this", K::Keyword},
    {"thread_local", K::Specifier},
    {"throw", K::Trailing},
    {"true", K::Keyword},
    {"try", K::Trailing},
    {"typedef", K::Specifier},
    {"typeid", K::Operand},
    {"typename", K::Elaborated},
    {"typeof", K::Operand},
    {"union", K::Elaborated},
    {"unsigned", K::BuiltinType},
    {"using", K::Keyword},
    {"virtual", K::Specifier},
    {"void", K::BuiltinType},
    {"volatile", K::Qualifier},
    {"wchar_t", K::BuiltinType},
    {"while", K::Keyword},
};

constexpr bool IsSorted() {
    for (std::size_t i = 1; i < std::size(WORDS); ++i) {
        if (!(WORDS[i - 1].m_svWord < WORDS[i].m_svWord)) {
            return false;
        }
    }
    return true;
}
static_assert(IsSorted(), "the word table must stay sorted for its binary search");

} // namespace

bool TidyIsCName(std::string_view word) {
    return word == "class" || word == "new" || word == "delete" || word == "this";
}

TidyWordKind TidyWordKindOf(std::string_view word) {
    const auto* const row =
        std::lower_bound(std::begin(WORDS), std::end(WORDS), word,
                         [](const CWordRow& r, std::string_view sv) { return r.m_svWord < sv; });
    return row != std::end(WORDS) && row->m_svWord == word ? row->m_kind : TidyWordKind::Name;
}
