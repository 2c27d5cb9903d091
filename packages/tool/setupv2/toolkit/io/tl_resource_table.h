// A compiled-in resource table: three parallel arrays in static data and a
// count. Entry i's bytes start in |data| at the sum of the sizes of entries
// 0 ... i-1; names are zero-terminated ASCII.
#pragma once

#include <cstdint>

struct TlResourceTable {
  std::uint32_t count;
  const std::uint32_t* sizes;
  const char* const* names;
  const unsigned char* data;
};

struct TlResourceEntry {
  const unsigned char* bytes = nullptr;
  std::uint32_t size = 0;
  bool found = false;
};

// The entry named |name| (compared exactly), if the table holds one.
TlResourceEntry tlFindResource(const TlResourceTable& table, const char* name);
