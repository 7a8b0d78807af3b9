# Warnings and sanitizers, set once: every target of the project links veldane_options.
add_library(veldane_options INTERFACE)
target_compile_options(veldane_options INTERFACE -Wall -Wextra -Wpedantic
    $<$<BOOL:${VELDANE_WERROR}>:-Werror>)

if(VELDANE_SANITIZE)
    set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(veldane_options INTERFACE ${_san})
    target_link_options(veldane_options INTERFACE ${_san})
    # The standard library's own checks (an index past a string_view's or a vector's end, a
    # front() of an empty one) abort where the sanitizers see nothing: the byte past a view of
    # a std::string is its terminator, which is there to read.
    target_compile_definitions(veldane_options INTERFACE _GLIBCXX_ASSERTIONS)
endif()
