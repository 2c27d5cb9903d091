#include "toolkit/io/tl_file.h"

#include <windows.h>

#include "toolkit/core/tl_debug.h"
#include "toolkit/io/tl_resource_file_engine.h"

TlFile::TlFile(const TlString& path) : path_(path), engine_(tlCreateFileEngine(path)) {
  if (!engine_) TlDebug() << L"no file engine for file" << path_;
}

TlFile::~TlFile() = default;

bool TlFile::atEnd() { return engine_ ? engine_->atEnd() : true; }

bool TlFile::open(int flags) {
  if (!engine_ || !engine_->open(flags)) return false;
  mode_ = flags;
  return true;
}

void TlFile::close() {
  if (engine_) engine_->close();
  mode_ = 0;
}

std::int64_t TlFile::bytesAvailable() { return size() - pos(); }

std::int64_t TlFile::pos() { return engine_ ? engine_->pos() : 0; }

bool TlFile::seek(std::int64_t position) { return engine_ ? engine_->seek(position) : false; }

std::int64_t TlFile::size() { return engine_ ? engine_->size() : 0; }

std::int64_t TlFile::read(void* buffer, std::int64_t count) { return engine_ ? engine_->read(buffer, count) : 0; }

std::int64_t TlFile::write(const void* buffer, std::int64_t count) {
  return engine_ ? engine_->write(buffer, count) : 0;
}

TlByteArray TlFile::readAll() {
  TlByteArray bytes;
  std::int64_t size = this->size();
  if (size <= 0 || size > 0x7FFFFFFF - 8192) return bytes;
  bytes.resize(static_cast<std::int32_t>(size));
  char* data = bytes.data();
  if (data == nullptr) return TlByteArray();
  std::int64_t got = read(data, size);
  // A file read from the middle, or one that shrank, yields fewer bytes:
  // never hand out the unread rest.
  bytes.resize(static_cast<std::int32_t>(got));
  return bytes;
}

bool TlFile::exists(const TlString& path) {
  if (path.at(0) == L':') {
    if (TlResourceFileEngine::hasEntry(path)) return true;
    TlDebug() << L"TlResourceFileEngine Not implemented";
    return false;
  }
  return GetFileAttributesW(path.utf16()) != INVALID_FILE_ATTRIBUTES;
}

bool TlFile::remove(const TlString& path) {
  if (path.at(0) == L':') return false;
  return DeleteFileW(path.utf16()) != FALSE;
}
