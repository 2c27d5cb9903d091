// The process-wide pool behind mp_*: made on the first call from any
// thread, possibly during static initialisation, and never destroyed (blocks
// may be released by static destructors after main returns).
#include <wctype.h>

#include <atomic>
#include <new>

#include "toolkit/core/tl_mem_pool.h"

namespace {

INIT_ONCE g_once = INIT_ONCE_STATIC_INIT;
alignas(TlMemPool) unsigned char g_storage[sizeof(TlMemPool)];
std::atomic<TlMemPool*> g_pool{nullptr};

BOOL CALLBACK createPool(PINIT_ONCE, PVOID, PVOID*) {
  TlMemPool::Config config;
  config.disabled = tlCommandLineDisablesPool(GetCommandLineW());
  g_pool.store(new (g_storage) TlMemPool(config), std::memory_order_release);
  return TRUE;
}

}  // namespace

bool tlCommandLineDisablesPool(const wchar_t* commandLine) {
  if (commandLine == nullptr) return false;
  wchar_t buffer[260];
  int n = 0;
  for (; n < 259 && commandLine[n] != 0; ++n) buffer[n] = static_cast<wchar_t>(towlower(commandLine[n]));
  buffer[n] = 0;
  return wcsstr(buffer, L"/disablemempool") != nullptr;
}

TlMemPool& tlProcessPool() {
  // Once made, the pool is read without the one-time gate: every block of
  // the toolkit passes here.
  TlMemPool* pool = g_pool.load(std::memory_order_acquire);
  if (pool != nullptr) return *pool;
  InitOnceExecuteOnce(&g_once, createPool, nullptr, nullptr);
  return *g_pool.load(std::memory_order_acquire);
}

void mp_setReporter(TlMemPool::Reporter reporter) { tlProcessPool().setReporter(reporter); }

void* mp_alloc(std::size_t size) { return tlProcessPool().alloc(size); }

void mp_free(void* block) {
  if (block != nullptr) tlProcessPool().free(block);
}

void* mp_realloc(void* block, std::size_t size) { return tlProcessPool().realloc(block, size); }

std::size_t mp_size(void* block) { return tlProcessPool().size(block); }
