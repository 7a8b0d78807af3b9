#pragma once

#include <string_view>

// The words of the language that the tidy analysis treats apart from names.
enum class TidyWordKind {
    Name,        // any other word: a name, a type name, or a macro the analysis does not know
    Specifier,   // storage and function specifiers and restrict: dropped from every type
    Attribute,   // attribute keywords: dropped with the bracket group after them
    BuiltinType, // int, unsigned, ...: never a parameter's name
    Qualifier,   // const, volatile: part of a type, never a name
    Elaborated,  // struct, union, enum, class, typename: the word after them is a type
    Trailing,    // words that may follow a parameter list: override, final, noexcept, throw
    Operand,     // keywords taking a bracketed operand, written without a space: decltype(x)
    Keyword,     // every other keyword: never a function's name
};

// The kind of `word`; Name for anything not in the table.
TidyWordKind TidyWordKindOf(std::string_view word);

// Keywords of C++ alone that C code uses as names ("String class", "size_t new"): the last
// word of a parameter, where C++ has no use for them, they name it.
bool TidyIsCName(std::string_view word);
