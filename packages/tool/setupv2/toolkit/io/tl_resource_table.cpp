#include "toolkit/io/tl_resource_table.h"

#include <cstring>

TlResourceEntry tlFindResource(const TlResourceTable& table, const char* name) {
  TlResourceEntry entry;
  if (name == nullptr) return entry;
  std::uint64_t offset = 0;
  for (std::uint32_t i = 0; i < table.count; ++i) {
    if (std::strcmp(table.names[i], name) == 0) {
      entry.bytes = table.data + offset;
      entry.size = table.sizes[i];
      entry.found = true;
      return entry;
    }
    offset += table.sizes[i];
  }
  return entry;
}
