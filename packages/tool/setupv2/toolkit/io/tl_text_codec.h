// TlTextCodec: conversion between UTF-16 and a byte encoding.
//
// Kind 1 is UTF-8 (code page 65001), kind 3 the active ANSI code page (936
// on the Chinese Windows the programs are made for). Any other kind
// converts nothing: toUnicode gives the empty string, fromUnicode the empty
// array.
//
// toUnicode reports in |tail| the bytes at the end of the input that it
// left unconverted because they begin a character that the input cuts off
// (at most one character's worth: 3 bytes in UTF-8, 1 in a double-byte
// code page). A reader of chunks feeds them again with the next chunk.
// Invalid bytes elsewhere in the input are decoded as replacement
// characters rather than cutting the text short there.
//
// Conversion failures give an empty result and one diagnostic line
// ("MultiByteToWideChar: ..." or "TlTextCodec::fromUnicode ...").
//
// Thread rules: a codec is a plain value; conversions are safe on any
// thread (diagnostic sinks aside).
#pragma once

#include <cstdint>

#include "toolkit/core/tl_byte_array.h"
#include "toolkit/core/tl_string.h"

class TlTextCodec {
 public:
  enum Kind { Utf8 = 1, System = 3 };

  explicit TlTextCodec(int kind) : kind_(kind) {}
  int kind() const { return kind_; }

  // |length| -1 means up to a terminating zero; other negative lengths
  // convert nothing.
  TlString toUnicode(const char* bytes, std::int32_t length, std::int32_t* tail = nullptr) const;
  TlByteArray fromUnicode(const WChar* text, std::int32_t length) const;
  TlByteArray fromUnicode(const TlString& text) const { return fromUnicode(text.utf16(), text.length()); }

 private:
  int kind_;
};

TlString tlStringFromUtf8(const char* bytes, std::int32_t length = -1);
TlString tlStringFromLocal8Bit(const char* bytes, std::int32_t length = -1);
TlByteArray tlStringToUtf8(const TlString& text);
