#include "text/txt_alloc.h"

#include <cstdlib>

namespace {

// Only the test seam sets this; the program runs with plain allocation.
TxtAllocHook g_pAllocHook = nullptr;

} // namespace

void* TxtAlloc(std::size_t size) {
    if (g_pAllocHook != nullptr && !g_pAllocHook(size)) {
        return nullptr;
    }
    // malloc(0) may legitimately return null, which callers would take for a failure.
    return std::malloc(size == 0 ? 1 : size);
}

void TxtFree(void* block) {
    std::free(block);
}

void TxtSetAllocHook(TxtAllocHook hook) {
    g_pAllocHook = hook;
}
