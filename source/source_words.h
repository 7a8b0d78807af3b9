#pragma once

#include <string_view>

// What a word can be in a declaration, for the words whose meaning is fixed by the language
// (and by the compilers' own extensions); every other word is a name.
enum class SourceWord {
    Name,      // names a function, a type, a variable or a macro
    Type,      // a type or a declaration's specifier: part of a return type, never a name
    Attribute, // takes an optional group that says something about the declaration
    TypeOf,    // a type made of the group behind it (decltype, typeof)
    Value,     // a value, which no parameter declaration starts with
    Statement, // begins a statement that declares no function (control, typedef, using...)
    Template,
    Operator,
    Namespace,
    Extern,
    ClassKey, // class, struct, union
    Enum,
};

SourceWord SourceClassifyWord(std::string_view word);

// True for a word that may stand behind a function's parameter list: a qualifier, or an
// attribute or macro such as `noexcept`, `__THROW` or `ATTRIBUTE_PRINTF`.
bool SourceIsTrailerWord(std::string_view word);

// True for a word spelled the way macros are: upper case letters, digits and '_' with at
// least one letter, or beginning with "__".
bool SourceIsMacroLike(std::string_view word);

// True when a parameter written as this one word must be a type rather than a value: a type
// keyword, a capitalised word, a name ending in "_t" or a common type name in lower case.
bool SourceIsTypeWord(std::string_view word);
