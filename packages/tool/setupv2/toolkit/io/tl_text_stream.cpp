#include "toolkit/io/tl_text_stream.h"

#include <cstring>

#include "toolkit/io/tl_text_codec.h"

void TlTextStream::detect() {
  unsigned char mark[3] = {0, 0, 0};
  file_->seek(0);
  std::int64_t n = file_->read(mark, 3);
  if (n == 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) {
    encoding_ = Utf8;
    return;  // already at byte 3
  }
  if (n >= 2 && mark[0] == 0xFF && mark[1] == 0xFE) {
    encoding_ = Utf16LittleEndian;
    file_->seek(2);
  } else if (n >= 2 && mark[0] == 0xFE && mark[1] == 0xFF) {
    encoding_ = Utf16BigEndian;
  } else {
    encoding_ = SystemCodePage;
    file_->seek(0);
  }
}

bool TlTextStream::fill() {
  if (exhausted_ || file_ == nullptr) return false;
  if (encoding_ == Undetected) detect();
  if (encoding_ == Utf16BigEndian) {
    exhausted_ = true;
    return false;
  }
  static_assert(kChunkBytes % 2 == 0, "UTF-16 units must not straddle chunks");
  char chunk[kChunkBytes];
  std::int64_t start = file_->pos();
  auto n = static_cast<std::int32_t>(file_->read(chunk, kChunkBytes));
  if (n <= 0) {
    exhausted_ = true;
    return false;
  }

  TlString text;
  std::int32_t tail = 0;
  if (encoding_ == Utf16LittleEndian) {
    tail = n % 2;
    text.resize((n - tail) / 2);
    if (n - tail > 0) std::memcpy(text.data(), chunk, static_cast<std::size_t>(n - tail));
  } else {
    TlTextCodec codec(encoding_ == Utf8 ? TlTextCodec::Utf8 : TlTextCodec::System);
    text = codec.toUnicode(chunk, n, &tail);
  }

  if (tail == n) {
    // Nothing decodable is left: the file ends inside a character.
    text.append(WChar(0xFFFD));
  } else if (tail > 0) {
    file_->seek(start + n - tail);
  }

  if (head_ > 0) {
    buffer_ = buffer_.mid(head_);
    scanned_ -= head_;
    head_ = 0;
  }
  buffer_.append(text);
  return true;
}

TlString TlTextStream::readLine() {
  std::int32_t lineFeed;
  while ((lineFeed = buffer_.indexOf(WChar('\n'), scanned_)) < 0) {
    scanned_ = buffer_.length();
    if (!fill()) break;
  }
  std::int32_t end = lineFeed >= 0 ? lineFeed : buffer_.length();

  TlString line;
  const WChar* units = buffer_.utf16();
  std::int32_t runStart = head_;
  for (std::int32_t i = head_; i < end; ++i) {
    if (units[i] == '\r') {
      line.append(units + runStart, i - runStart);
      runStart = i + 1;
    }
  }
  line.append(units + runStart, end - runStart);

  head_ = lineFeed >= 0 ? lineFeed + 1 : end;
  scanned_ = head_;
  if (head_ >= buffer_.length()) {
    buffer_.clear();
    head_ = scanned_ = 0;
  }
  return line;
}

bool TlTextStream::atEnd() {
  while (head_ >= buffer_.length()) {
    if (!fill()) return true;
  }
  return false;
}
