// Where the toolkit's value types get their memory.
//
// Strings, byte arrays and variant payloads allocate through these three
// calls only. The build links exactly one definition: on Windows they go to
// the small-block memory pool (tl_mem_pool.h), in the native sanitizer build
// to the C heap, so that AddressSanitizer sees every block.
//
// Thread rules: the calls themselves are safe on any thread.
#pragma once

#include <cstddef>

void* tlBlockAlloc(std::size_t bytes);
// Null is ignored.
void tlBlockFree(void* block);
// Null |block| allocates; the contents up to the smaller size are kept.
void* tlBlockRealloc(void* block, std::size_t bytes);
