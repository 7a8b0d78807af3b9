# Warnings and sanitizers, set once: every target of the project links veldane_options.
add_library(veldane_options INTERFACE)
target_compile_options(veldane_options INTERFACE -Wall -Wextra -Wpedantic
    $<$<BOOL:${VELDANE_WERROR}>:-Werror>)

if(VELDANE_SANITIZE)
    set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(veldane_options INTERFACE ${_san})
    target_link_options(veldane_options INTERFACE ${_san})
endif()
