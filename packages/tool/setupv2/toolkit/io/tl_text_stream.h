// TlTextStream: lines of text from a TlFile, the encoding taken from a
// byte-order mark.
//
// On the first read the first three bytes decide: EF BB BF is UTF-8 (text
// from byte 3), FF FE UTF-16 little-endian (from byte 2), FE FF UTF-16
// big-endian, which is not decoded and reads as empty; anything else is
// the system ANSI code page (from byte 0). The file is then read in chunks
// of 16,384 bytes; a character cut by a chunk's end is read again with the
// next chunk, so lines longer than a chunk and characters across the
// boundary come back whole. A character cut off by the end of the file
// reads as U+FFFD.
//
// readLine gives the characters before the next line feed, with every
// carriage return removed; a last line without a line feed is returned
// too. atEnd is true once no text is left: it reads ahead when its buffer
// is empty, and a file that cannot be read (not open, a read error, or
// big-endian text) counts as ended.
//
// Ownership: the stream does not own the file, which must be open for
// reading and outlive the stream. Thread rules: one thread.
#pragma once

#include <cstdint>

#include "toolkit/core/tl_string.h"
#include "toolkit/io/tl_file.h"

class TlTextStream {
 public:
  enum Encoding { Undetected, Utf8, Utf16LittleEndian, Utf16BigEndian, SystemCodePage };
  static constexpr std::int32_t kChunkBytes = 16384;

  explicit TlTextStream(TlFile* file) : file_(file) {}

  TlString readLine();
  bool atEnd();
  Encoding encoding() const { return encoding_; }

 private:
  void detect();
  // Appends the next chunk's text; false when nothing more can be read.
  bool fill();

  TlFile* file_;
  TlString buffer_;
  std::int32_t head_ = 0;      // start of the unread text in buffer_
  std::int32_t scanned_ = 0;   // buffer_ holds no line feed before this
  Encoding encoding_ = Undetected;
  bool exhausted_ = false;
};
