#include "analyser/tidy_drop_list.h"

#include <algorithm>
#include <iterator>

namespace {

// The built-in words, sorted (byte order) for the binary search; the static_assert below keeps
// them so. Taken from the prototypes of the C library, Qt 6 and X11 headers and from the usual
// Windows calling conventions, export macros and source annotations.
constexpr std::string_view DROP_WORDS[] = {
    // Windows
    "APIENTRY", "APIPRIVATE", "CALLBACK", "DECLSPEC_IMPORT", "DECLSPEC_NORETURN",
    "DECLSPEC_NOTHROW", "FAR", "IN", "NEAR", "NTAPI", "OPTIONAL", "OUT", "PASCAL",
    // Qt
    "QT6_ONLY", "QT7_ONLY", "QT_ASCII_CAST_WARN", "QT_FASTCALL",
    "QT_POST_CXX17_API_IN_EXPORTED_CLASS", "QT_TECH_PREVIEW_API", "Q_ALLOC_SIZE", "Q_ALWAYS_INLINE",
    "Q_ATTRIBUTE_FORMAT_PRINTF", "Q_IMPLICIT", "Q_INLINE_TEMPLATE", "Q_INVOKABLE", "Q_NEVER_INLINE",
    "Q_NORETURN", "Q_OUTOFLINE_TEMPLATE", "Q_REQUIRED_RESULT", "Q_REVISION", "Q_SCRIPTABLE",
    "Q_SIGNAL", "Q_SLOT", "Q_WEAK_OVERLOAD",
    // Windows
    "STDAPICALLTYPE", "STDAPIVCALLTYPE", "STDMETHODCALLTYPE", "STDMETHODVCALLTYPE", "WINADVAPI",
    "WINAPI", "WINAPIV", "WINBASEAPI", "WINGDIAPI", "WINUSERAPI", "WSAAPI",
    // Windows source annotations, and _Attr_access_ of the C library's regex.h
    "_Attr_access_", "_Check_return_", "_Frees_ptr_", "_Frees_ptr_opt_", "_In_", "_In_opt_",
    "_In_reads_", "_In_reads_bytes_", "_In_reads_opt_", "_In_z_", "_Inout_", "_Inout_opt_",
    "_Must_inspect_result_", "_Out_", "_Out_opt_", "_Out_writes_", "_Out_writes_bytes_",
    "_Out_writes_opt_", "_Outptr_", "_Outptr_opt_", "_Printf_format_string_", "_Ret_maybenull_",
    "_Ret_notnull_", "_Success_", "_Use_decl_annotations_",
    // C library (and the Windows spellings of the calling conventions)
    "__COLD", "__LEAF", "__LEAF_ATTR", "__THROW", "__THROWNL", "__always_inline", "__cdecl",
    "__clrcall", "__extern_always_inline", "__extern_inline", "__fastcall",
    "__fortified_attr_access", "__fortify_function", "__nonnull", "__pascal", "__ptr32", "__ptr64",
    "__restrict_arr", "__returns_nonnull", "__stdcall", "__thiscall", "__unaligned", "__vectorcall",
    "__w64", "__warnattr", "__wur", "_cdecl", "_fastcall", "_stdcall"};

// Families of macros: every word with the prefix and the suffix.
struct CDropPattern {
    std::string_view m_svPrefix;
    std::string_view m_svSuffix;
};
constexpr CDropPattern DROP_PATTERNS[] = {
    {"QT_DEPRECATED", ""},    // QT_DEPRECATED_X("..."), QT_DEPRECATED_VERSION_X_6_0("...")
    {"QT_", "_INLINE_SINCE"}, // QT_CORE_INLINE_SINCE(6, 5)
    {"Q_", "_EXPORT"},        // Q_CORE_EXPORT, Q_GUI_EXPORT, Q_WIDGETS_EXPORT, ...
    {"Q_DECL_", ""},          // Q_DECL_CONST_FUNCTION, Q_DECL_DEPRECATED_X("..."), ...
    {"_X_", ""},              // _X_DEPRECATED, _X_SENTINEL(0), _X_NORETURN, ...
    {"__attr_", ""},          // __attr_access((__read_only__, 1)), __attr_dealloc_free, ...
    {"__attribute_", ""},     // __attribute_pure__, __attribute_malloc__, ...
};

constexpr bool IsSorted() {
    for (std::size_t i = 1; i < std::size(DROP_WORDS); ++i) {
        if (!(DROP_WORDS[i - 1] < DROP_WORDS[i])) {
            return false;
        }
    }
    return true;
}
static_assert(IsSorted(), "the drop words must stay sorted for their binary search");

// The bytes a built-in word or family begins with: any other first byte is answered at once,
// which most words of a declaration have (the lookups were the largest cost of long types).
struct CFirstBytes {
    bool m_abByte[256] = {};

    constexpr CFirstBytes() {
        for (const std::string_view word : DROP_WORDS) {
            m_abByte[static_cast<unsigned char>(word[0])] = true;
        }
        for (const CDropPattern& pattern : DROP_PATTERNS) {
            m_abByte[static_cast<unsigned char>(pattern.m_svPrefix[0])] = true;
        }
    }
};
constexpr CFirstBytes FIRST_BYTES;

bool HasAffixes(std::string_view word, const CDropPattern& pattern) {
    return word.size() >= pattern.m_svPrefix.size() + pattern.m_svSuffix.size() &&
           word.substr(0, pattern.m_svPrefix.size()) == pattern.m_svPrefix &&
           word.substr(word.size() - pattern.m_svSuffix.size()) == pattern.m_svSuffix;
}

bool IsBuiltIn(std::string_view word) {
    return FIRST_BYTES.m_abByte[static_cast<unsigned char>(word[0])] &&
           (std::binary_search(std::begin(DROP_WORDS), std::end(DROP_WORDS), word) ||
            std::any_of(std::begin(DROP_PATTERNS), std::end(DROP_PATTERNS),
                        [word](const CDropPattern& pattern) { return HasAffixes(word, pattern); }));
}

} // namespace

CTidyDropList::CTidyDropList(const std::vector<std::string>& vecExtra)
    : m_vecExtra(vecExtra.begin(), vecExtra.end()) {
    std::sort(m_vecExtra.begin(), m_vecExtra.end());
}

bool CTidyDropList::Drops(std::string_view word) const {
    return IsBuiltIn(word) || std::binary_search(m_vecExtra.begin(), m_vecExtra.end(), word);
}
