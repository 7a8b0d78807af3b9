#include "source/source_words.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

using CWordKind = std::pair<std::string_view, SourceWord>;

// Sorted by word, for a binary search.
constexpr CWordKind WORDS[] = {
    {"_Alignas", SourceWord::Attribute},
    {"_Alignof", SourceWord::Statement},
    {"_Atomic", SourceWord::TypeOf},
    {"_Bool", SourceWord::Type},
    {"_Complex", SourceWord::Type},
    {"_Noreturn", SourceWord::Type},
    {"_Pragma", SourceWord::Attribute},
    {"_Static_assert", SourceWord::Statement},
    {"_Thread_local", SourceWord::Type},
    {"__alignof__", SourceWord::Statement},
    {"__asm", SourceWord::Attribute},
    {"__asm__", SourceWord::Attribute},
    {"__attribute", SourceWord::Attribute},
    {"__attribute__", SourceWord::Attribute},
    {"__cdecl", SourceWord::Type},
    {"__const", SourceWord::Type},
    {"__declspec", SourceWord::Attribute},
    {"__extension__", SourceWord::Type},
    {"__fastcall", SourceWord::Type},
    {"__inline", SourceWord::Type},
    {"__inline__", SourceWord::Type},
    {"__int128", SourceWord::Type},
    {"__pragma", SourceWord::Attribute},
    {"__restrict", SourceWord::Type},
    {"__restrict__", SourceWord::Type},
    {"__signed__", SourceWord::Type},
    {"__stdcall", SourceWord::Type},
    {"__thiscall", SourceWord::Type},
    {"__typeof", SourceWord::TypeOf},
    {"__typeof__", SourceWord::TypeOf},
    {"__volatile__", SourceWord::Type},
    {"alignas", SourceWord::Attribute},
    {"alignof", SourceWord::Statement},
    {"asm", SourceWord::Attribute},
    {"auto", SourceWord::Type},
    {"bool", SourceWord::Type},
    {"break", SourceWord::Statement},
    {"case", SourceWord::Statement},
    {"catch", SourceWord::Statement},
    {"char", SourceWord::Type},
    {"char16_t", SourceWord::Type},
    {"char32_t", SourceWord::Type},
    {"char8_t", SourceWord::Type},
    {"class", SourceWord::ClassKey},
    {"co_await", SourceWord::Statement},
    {"co_return", SourceWord::Statement},
    {"co_yield", SourceWord::Statement},
    {"const", SourceWord::Type},
    {"consteval", SourceWord::Type},
    {"constexpr", SourceWord::Type},
    {"constinit", SourceWord::Type},
    {"continue", SourceWord::Statement},
    {"decltype", SourceWord::TypeOf},
    {"default", SourceWord::Statement},
    {"delete", SourceWord::Statement},
    {"do", SourceWord::Statement},
    {"double", SourceWord::Type},
    {"else", SourceWord::Statement},
    {"enum", SourceWord::Enum},
    {"explicit", SourceWord::Type},
    {"extern", SourceWord::Extern},
    {"false", SourceWord::Value},
    {"float", SourceWord::Type},
    {"for", SourceWord::Statement},
    {"friend", SourceWord::Type},
    {"goto", SourceWord::Statement},
    {"if", SourceWord::Statement},
    {"inline", SourceWord::Type},
    {"int", SourceWord::Type},
    {"long", SourceWord::Type},
    {"mutable", SourceWord::Type},
    {"namespace", SourceWord::Namespace},
    {"new", SourceWord::Statement},
    {"noexcept", SourceWord::Attribute},
    {"nullptr", SourceWord::Value},
    {"operator", SourceWord::Operator},
    {"register", SourceWord::Type},
    {"restrict", SourceWord::Type},
    {"return", SourceWord::Statement},
    {"short", SourceWord::Type},
    {"signed", SourceWord::Type},
    {"sizeof", SourceWord::Statement},
    {"static", SourceWord::Type},
    {"static_assert", SourceWord::Statement},
    {"struct", SourceWord::ClassKey},
    {"switch", SourceWord::Statement},
    {"template", SourceWord::Template},
    {"this", SourceWord::Value},
    {"thread_local", SourceWord::Type},
    {"throw", SourceWord::Attribute},
    {"true", SourceWord::Value},
    {"typedef", SourceWord::Statement},
    {"typename", SourceWord::Type},
    {"typeof", SourceWord::TypeOf},
    {"union", SourceWord::ClassKey},
    {"unsigned", SourceWord::Type},
    {"using", SourceWord::Statement},
    {"virtual", SourceWord::Type},
    {"void", SourceWord::Type},
    {"volatile", SourceWord::Type},
    {"wchar_t", SourceWord::Type},
    {"while", SourceWord::Statement},
};

constexpr bool IsSorted() {
    for (std::size_t i = 1; i < std::size(WORDS); ++i) {
        if (!(WORDS[i - 1].first < WORDS[i].first)) {
            return false;
        }
    }
    return true;
}
static_assert(IsSorted(), "WORDS must stay sorted for the binary search");

// Words allowed behind a parameter list besides attributes and macros.
constexpr std::string_view TRAILER_QUALIFIERS[] = {
    "const", "volatile", "override", "final", "try", "transaction_safe", "__restrict"};

// Lower-case type names common enough to stand alone as an unnamed parameter.
constexpr std::string_view LOWER_CASE_TYPES[] = {
    "gboolean", "gchar", "gconstpointer", "gint",  "gpointer", "gsize",   "guint",  "qreal",
    "string",   "uchar", "uint",          "ulong", "ushort",   "va_list", "wstring"};

bool IsUpper(char byte) {
    return byte >= 'A' && byte <= 'Z';
}

template <std::size_t N> bool Holds(const std::string_view (&words)[N], std::string_view word) {
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

} // namespace

SourceWord SourceClassifyWord(std::string_view word) {
    const auto* found = std::lower_bound(
        std::begin(WORDS), std::end(WORDS), word,
        [](const CWordKind& entry, std::string_view key) { return entry.first < key; });
    return found != std::end(WORDS) && found->first == word ? found->second : SourceWord::Name;
}

bool SourceIsTrailerWord(std::string_view word) {
    return Holds(TRAILER_QUALIFIERS, word) || SourceClassifyWord(word) == SourceWord::Attribute ||
           SourceIsMacroLike(word);
}

bool SourceIsMacroLike(std::string_view word) {
    if (word.substr(0, 2) == "__") {
        return true;
    }
    bool letter = false;
    for (const char byte : word) {
        if (!(IsUpper(byte) || (byte >= '0' && byte <= '9') || byte == '_')) {
            return false;
        }
        letter = letter || IsUpper(byte);
    }
    return letter;
}

bool SourceIsTypeWord(std::string_view word) {
    const std::string_view suffix = "_t";
    return SourceClassifyWord(word) == SourceWord::Type || (!word.empty() && IsUpper(word[0])) ||
           (word.size() > suffix.size() && word.substr(word.size() - suffix.size()) == suffix) ||
           Holds(LOWER_CASE_TYPES, word);
}
