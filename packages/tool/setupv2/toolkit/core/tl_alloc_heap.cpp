// The native build's allocator: the plain C heap, watched by the sanitizers.
#include "toolkit/core/tl_alloc.h"

#include <cstdlib>

void* tlBlockAlloc(std::size_t bytes) { return std::malloc(bytes ? bytes : 1); }

void tlBlockFree(void* block) { std::free(block); }

void* tlBlockRealloc(void* block, std::size_t bytes) { return std::realloc(block, bytes ? bytes : 1); }
