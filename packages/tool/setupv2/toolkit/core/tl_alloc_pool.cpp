// The Windows build's allocator: every value-type block comes from the pool.
#include "toolkit/core/tl_alloc.h"

#include "toolkit/core/tl_mem_pool.h"

void* tlBlockAlloc(std::size_t bytes) { return mp_alloc(bytes); }

void tlBlockFree(void* block) { mp_free(block); }

void* tlBlockRealloc(void* block, std::size_t bytes) { return mp_realloc(block, bytes); }
