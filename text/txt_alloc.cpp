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
    return std::malloc(size);
}

void TxtFree(void* block) {
    std::free(block);
}

void TxtSetAllocHook(TxtAllocHook hook) {
    g_pAllocHook = hook;
}
