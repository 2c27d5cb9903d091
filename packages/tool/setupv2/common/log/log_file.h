// The per-process diagnostic log: one UTF-16LE file under
// %APPDATA%\tarlan\kivomixer\setup\ that every part of both programs writes
// to through logPrintf. Nothing ever reads it back.
//
// Rules:
//  - the file name is set once, before the first line (setupV2.log for the
//    installer, unistV2.log for the uninstaller);
//  - the file is opened lazily by the first line; a failed open drops the
//    line and the next line tries again;
//  - on open, a file of 1..1,048,576 bytes is appended to; an empty, new or
//    larger file is truncated and restarted with the mark FF FE;
//  - each line is written at the current end of the file (another process
//    may write to it too) in one WriteFile call, so whole lines from several threads
//    never interleave; a lock keeps two first lines from opening twice.
#pragma once

#include <windows.h>

#include "common/text/wide.h"

namespace kivo {

constexpr LONGLONG kLogSizeLimit = 1048576;

class LogFile {
 public:
  // The log of this process, in the roaming application-data folder.
  static LogFile& instance();

  // A log in |directory| (which must end in a backslash); for tests and
  // for the process-wide object.
  explicit LogFile(const WString& directory);
  ~LogFile();

  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  void setFileName(const WString& name);
  void writeLine(const WString& message);

  const WString& filePath() const { return filePath_; }
  // The file the log opened (or last tried to open).
  const WString& openedPath() const { return openedPath_; }
  const WString& directory() const { return directory_; }
  bool isOpen() const { return isOpen_ != 0; }

 private:
  bool ensureOpen();

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  WString openedPath_;
  LONG isOpen_ = 0;
  WString filePath_;
  WString directory_;
  CRITICAL_SECTION lock_;
};

// The directory of the process-wide log: %APPDATA%\tarlan\kivomixer\setup\ .
WString defaultLogDirectory();

}  // namespace kivo

// Formats like the CRT's wide printf (a wide %s is a wide string) into at
// most 2,047 units and writes the result as one line of the process log.
void logPrintf(const wchar_t* format, ...);
