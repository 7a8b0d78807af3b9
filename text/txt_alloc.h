#pragma once

#include <cstddef>

// Every heap block of the core (scratch copies, list nodes, read buffers) comes from TxtAlloc,
// so that a test can make any single allocation fail and check what the caller does then.
// `size` is never 0 (every block holds at least a terminator or a node), for which malloc may
// answer null without having failed.
void* TxtAlloc(std::size_t size);
void TxtFree(void* block);

// Test seam: when set, the hook is asked before each allocation and a false answer makes
// TxtAlloc return null. Pass nullptr to restore normal allocation.
using TxtAllocHook = bool (*)(std::size_t size);
void TxtSetAllocHook(TxtAllocHook hook);
