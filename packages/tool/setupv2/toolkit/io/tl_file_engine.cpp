#include "toolkit/io/tl_file_engine.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "toolkit/io/tl_resource_file_engine.h"
#include "toolkit/io/tl_win32_file_engine.h"

namespace {

class Win32Handler : public TlFileEngineHandler {
 public:
  std::unique_ptr<TlFileEngine> create(const TlString& path) override {
    return std::make_unique<TlWin32FileEngine>(path);
  }
};

class ResourceHandler : public TlFileEngineHandler {
 public:
  std::unique_ptr<TlFileEngine> create(const TlString& path) override {
    if (path.at(0) != L':') return nullptr;
    return std::make_unique<TlResourceFileEngine>(path);
  }
};

// Built on first use, so the two built-in handlers are in place before any
// file can ask, whatever the order of static initialisation.
struct HandlerList {
  SRWLOCK lock = SRWLOCK_INIT;
  Win32Handler win32;
  ResourceHandler resource;
  std::vector<TlFileEngineHandler*> handlers{&win32, &resource};  // oldest first
};

HandlerList& handlerList() {
  static HandlerList* list = new HandlerList;  // never destroyed: files may outlive statics
  return *list;
}

}  // namespace

void tlRegisterFileEngineHandler(TlFileEngineHandler* handler) {
  if (handler == nullptr) return;
  HandlerList& list = handlerList();
  AcquireSRWLockExclusive(&list.lock);
  list.handlers.push_back(handler);
  ReleaseSRWLockExclusive(&list.lock);
}

void tlUnregisterFileEngineHandler(TlFileEngineHandler* handler) {
  HandlerList& list = handlerList();
  AcquireSRWLockExclusive(&list.lock);
  auto& v = list.handlers;
  v.erase(std::remove(v.begin(), v.end(), handler), v.end());
  ReleaseSRWLockExclusive(&list.lock);
}

std::unique_ptr<TlFileEngine> tlCreateFileEngine(const TlString& path) {
  HandlerList& list = handlerList();
  AcquireSRWLockShared(&list.lock);
  std::unique_ptr<TlFileEngine> engine;
  for (auto it = list.handlers.rbegin(); it != list.handlers.rend() && !engine; ++it) engine = (*it)->create(path);
  ReleaseSRWLockShared(&list.lock);
  return engine;
}
