// Micro-benchmark: the toolkit's memory pool against the C run-time heap.
//
// Run once as is and once with /disablemempool on the command line (the
// pool's own switch, which sends every block to the C run-time heap); the
// "raw" rows compare mp_alloc/mp_free with malloc/free in the same run.
// Prints one row per workload and thread count: the best of three runs.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "toolkit/core/tl_mem_pool.h"
#include "toolkit/core/tl_string.h"
#include "toolkit/core/tl_variant.h"

namespace {

double nowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::uint32_t nextRandom(std::uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 8;
}

// What the toolkit does all day: names and texts built from pieces, copied
// into items, looked up, changed, dropped.
long stringWorkload(int operations, std::uint32_t seed) {
  const int kLive = 2048;
  std::vector<TlString> live(kLive);
  std::vector<TlVariant> properties(256);
  const TlString prefix(L"setup:btn_");
  const TlString suffix(L"_normal.png");
  long checksum = 0;
  for (int op = 0; op < operations; ++op) {
    std::uint32_t r = nextRandom(seed);
    TlString name = prefix;
    name.append(TlString::number(static_cast<std::int32_t>(r % 1000)));
    if (r & 1) name.append(L"安装程序 mixer", static_cast<std::int32_t>(r % 10));
    name.append(suffix);
    if ((r & 0x70) == 0) {
      for (int i = 0; i < 6; ++i) name.append(name.utf16(), 8);  // a longer text
    }
    TlString& slot = live[r % kLive];
    slot = name;
    TlString copy = live[(r >> 11) % kLive];
    if (r & 2) copy.append(L'!');
    checksum += copy.indexOf(L'_') + copy.length();
    properties[r % 256].setString(copy);
  }
  return checksum;
}

template <typename Alloc, typename Free>
long rawWorkload(int operations, std::uint32_t seed, Alloc alloc, Free release) {
  const int kLive = 4096;
  std::vector<void*> live(kLive, nullptr);
  long checksum = 0;
  for (int op = 0; op < operations; ++op) {
    std::uint32_t r = nextRandom(seed);
    void*& slot = live[r % kLive];
    if (slot != nullptr) {
      checksum += *static_cast<unsigned char*>(slot);
      release(slot);
    }
    std::size_t size = 8 + (r >> 12) % 249;
    slot = alloc(size);
    std::memset(slot, static_cast<int>(r), size < 16 ? size : 16);
  }
  for (void* p : live) release(p);
  return checksum;
}

template <typename Work>
double bestOfThree(int threads, Work work) {
  double best = 1e300;
  for (int run = 0; run < 3; ++run) {
    double start = nowMs();
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) pool.emplace_back(work, t);
    for (std::thread& t : pool) t.join();
    double elapsed = nowMs() - start;
    if (elapsed < best) best = elapsed;
  }
  return best;
}

volatile long g_sink;

void row(const char* allocator, const char* workload, int threads, int operations, double ms) {
  double total = static_cast<double>(operations) * threads;
  std::printf("%-10s %-9s %7d %10.0f %9.1f %8.1f\n", allocator, workload, threads, total, ms, ms * 1e6 / total);
  std::fflush(stdout);
}

}  // namespace

int main() {
  const bool disabled = tlCommandLineDisablesPool(GetCommandLineW());
  const char* valueAllocator = disabled ? "crt-heap" : "pool";
  const int kStringOps = 400000;
  const int kRawOps = 2000000;

  std::printf("%-10s %-9s %7s %10s %9s %8s\n", "allocator", "workload", "threads", "operations", "best ms", "ns/op");
  for (int threads : {1, 2}) {
    double ms = bestOfThree(threads, [&](int t) { g_sink = stringWorkload(kStringOps, 12345u + t); });
    row(valueAllocator, "strings", threads, kStringOps, ms);
  }
  for (int threads : {1, 2}) {
    double pool = bestOfThree(threads, [&](int t) { g_sink = rawWorkload(kRawOps, 777u + t, mp_alloc, mp_free); });
    row(disabled ? "crt-heap" : "pool", "raw", threads, kRawOps, pool);
    double crt = bestOfThree(threads, [&](int t) { g_sink = rawWorkload(kRawOps, 777u + t, std::malloc, std::free); });
    row("malloc", "raw", threads, kRawOps, crt);
  }
  std::printf("pool chunks in use: %u\n", tlProcessPool().chunkCount());
  return 0;
}
