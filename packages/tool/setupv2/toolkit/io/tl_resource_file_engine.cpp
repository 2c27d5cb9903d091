#include "toolkit/io/tl_resource_file_engine.h"

#include <cstring>
#include <string>

#include "toolkit/core/tl_debug.h"

namespace {

const TlResourceTable* volatile g_table = nullptr;

void notImplemented() { TlDebug() << L"TlResourceFileEngine Not implemented"; }

TlResourceEntry lookUp(const TlString& path) {
  const TlResourceTable* table = g_table;
  if (table == nullptr || path.at(0) != L':') return TlResourceEntry();
  std::string name;
  for (std::int32_t i = 1; i < path.length(); ++i) {
    WChar c = path.at(i);
    if (c == 0 || c > 0x7F) return TlResourceEntry();  // names are ASCII
    name.push_back(static_cast<char>(c));
  }
  return tlFindResource(*table, name.c_str());
}

}  // namespace

const TlResourceTable* tlSetFileResourceTable(const TlResourceTable* table) {
  const TlResourceTable* previous = g_table;
  g_table = table;
  return previous;
}

TlResourceFileEngine::TlResourceFileEngine(const TlString& path) : entry_(lookUp(path)) {}

bool TlResourceFileEngine::hasEntry(const TlString& path) { return lookUp(path).found; }

bool TlResourceFileEngine::atEnd() {
  if (!entry_.found) {
    notImplemented();
    return false;
  }
  return position_ >= entry_.size;
}

std::int64_t TlResourceFileEngine::pos() {
  if (!entry_.found) notImplemented();
  return position_;
}

std::int64_t TlResourceFileEngine::size() {
  if (!entry_.found) {
    notImplemented();
    return 0;
  }
  return entry_.size;
}

bool TlResourceFileEngine::open(int flags) {
  if (!entry_.found) {
    notImplemented();
    return false;
  }
  if (flags & (Write | Append | Truncate)) return false;
  open_ = true;
  position_ = 0;
  return true;
}

bool TlResourceFileEngine::seek(std::int64_t position) {
  if (!entry_.found) {
    notImplemented();
    return false;
  }
  if (!open_ || position < 0 || position > entry_.size) return false;
  position_ = position;
  return true;
}

std::int64_t TlResourceFileEngine::read(void* buffer, std::int64_t count) {
  if (!entry_.found) {
    notImplemented();
    return 0;
  }
  if (!open_ || buffer == nullptr || count <= 0) return 0;
  std::int64_t left = entry_.size - position_;
  std::int64_t n = count < left ? count : left;
  std::memcpy(buffer, entry_.bytes + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TlResourceFileEngine::write(const void*, std::int64_t) {
  if (!entry_.found) notImplemented();
  return 0;
}

void TlResourceFileEngine::close() {
  if (!entry_.found) {
    notImplemented();
    return;
  }
  open_ = false;
  position_ = 0;
}
