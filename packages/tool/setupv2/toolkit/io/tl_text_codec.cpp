#include "toolkit/io/tl_text_codec.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "toolkit/core/tl_debug.h"

namespace {

constexpr int kStackUnits = 4096;
constexpr UINT kNoCodePage = 0xFFFFFFFFu;

UINT codePageOf(int kind) {
  switch (kind) {
    case TlTextCodec::Utf8: return CP_UTF8;
    case TlTextCodec::System: return CP_ACP;
    default: return kNoCodePage;
  }
}

// The longest cut-off character a chunk can end in.
std::int32_t longestTail(UINT codePage) {
  if (codePage == CP_UTF8) return 3;
  CPINFO info;
  if (!GetCPInfo(codePage, &info) || info.MaxCharSize < 1) return 1;
  return static_cast<std::int32_t>(info.MaxCharSize) - 1;
}

// Bytes at the end of UTF-8 text that begin a character it does not finish.
std::int32_t utf8CutTail(const unsigned char* bytes, std::int32_t length) {
  for (std::int32_t back = 1; back <= 3 && back <= length; ++back) {
    unsigned char b = bytes[length - back];
    if ((b & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    std::int32_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return need > back ? back : 0;
  }
  return 0;
}

// One conversion; false with the error in |error|.
bool convert(UINT codePage, DWORD flags, const char* bytes, std::int32_t length, TlString* out, DWORD* error) {
  if (length == 0) {
    *out = TlString();
    return true;
  }
  WChar stackBuffer[kStackUnits];
  int n = MultiByteToWideChar(codePage, flags, bytes, length, stackBuffer, kStackUnits);
  if (n > 0) {
    *out = TlString(stackBuffer, n);
    return true;
  }
  *error = GetLastError();
  if (*error != ERROR_INSUFFICIENT_BUFFER) return false;
  int need = MultiByteToWideChar(codePage, flags, bytes, length, nullptr, 0);
  if (need <= 0) {
    *error = GetLastError();
    return false;
  }
  std::vector<WChar> heap(static_cast<std::size_t>(need));
  n = MultiByteToWideChar(codePage, flags, bytes, length, heap.data(), need);
  if (n > 0) {
    *out = TlString(heap.data(), n);
    return true;
  }
  *error = GetLastError();
  if (*error == ERROR_INSUFFICIENT_BUFFER) {
    TlDebug() << L"MultiByteToWideChar: Size changed";
    *error = 0;
  }
  return false;
}

}  // namespace

TlString TlTextCodec::toUnicode(const char* bytes, std::int32_t length, std::int32_t* tail) const {
  if (tail != nullptr) *tail = 0;
  UINT codePage = codePageOf(kind_);
  if (codePage == kNoCodePage || bytes == nullptr) return TlString();
  if (length == -1) length = static_cast<std::int32_t>(std::strlen(bytes));
  if (length <= 0) return TlString();

  const std::int32_t maxDrop = longestTail(codePage);
  TlString result;
  DWORD error = 0;
  for (std::int32_t dropped = 0; dropped <= maxDrop && dropped <= length; ++dropped) {
    if (convert(codePage, MB_ERR_INVALID_CHARS, bytes, length - dropped, &result, &error)) {
      if (tail != nullptr) *tail = dropped;
      return result;
    }
    if (error != ERROR_NO_UNICODE_TRANSLATION) {
      if (error != 0) TlDebug() << L"MultiByteToWideChar: Cannot convert multibyte text";
      return TlString();
    }
  }
  // Invalid bytes inside the text, not only a cut character at its end:
  // decode them as replacement characters so that the text around them
  // survives and a chunked reader still makes progress.
  std::int32_t cut = codePage == CP_UTF8 ? utf8CutTail(reinterpret_cast<const unsigned char*>(bytes), length) : 0;
  if (!convert(codePage, 0, bytes, length - cut, &result, &error)) {
    if (error != 0) TlDebug() << L"MultiByteToWideChar: Cannot convert multibyte text";
    return TlString();
  }
  if (tail != nullptr) *tail = cut;
  return result;
}

TlByteArray TlTextCodec::fromUnicode(const WChar* text, std::int32_t length) const {
  UINT codePage = codePageOf(kind_);
  if (codePage == kNoCodePage || text == nullptr) return TlByteArray();
  if (length == -1) length = static_cast<std::int32_t>(std::wcslen(text));
  if (length <= 0) return TlByteArray();

  char stackBuffer[kStackUnits];
  int n = WideCharToMultiByte(codePage, 0, text, length, stackBuffer, kStackUnits, nullptr, nullptr);
  if (n > 0) return TlByteArray(stackBuffer, n);
  TlByteArray result;
  if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    int need = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (need > 0) {
      result.resize(need);
      n = WideCharToMultiByte(codePage, 0, text, length, result.data(), need, nullptr, nullptr);
      if (n > 0) {
        result.resize(n);
        return result;
      }
    }
  }
  TlDebug() << L"TlTextCodec::fromUnicode WideCharToMultiByte error:" << static_cast<unsigned long>(GetLastError());
  return TlByteArray();
}

TlString tlStringFromUtf8(const char* bytes, std::int32_t length) {
  return TlTextCodec(TlTextCodec::Utf8).toUnicode(bytes, length);
}

TlString tlStringFromLocal8Bit(const char* bytes, std::int32_t length) {
  return TlTextCodec(TlTextCodec::System).toUnicode(bytes, length);
}

TlByteArray tlStringToUtf8(const TlString& text) { return TlTextCodec(TlTextCodec::Utf8).fromUnicode(text); }
