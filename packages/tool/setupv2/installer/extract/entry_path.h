// Where an archive entry may land, decided from its name alone (portable).
//
// Entry names use forward slashes; the first component is a root label
// ("install") that is dropped on output, so install/3.1.0.5/KivoMixer.exe
// lands in <install directory>\3.1.0.5\KivoMixer.exe.
//
// An archive is data from outside: a name that could reach beyond the
// install directory is refused, never mapped. Refused are names that are
// empty, hold an empty component (a leading or doubled separator, which
// also covers absolute paths), a "." or ".." component, a component ending
// in a dot or a blank (Windows strips those, so "..." or ".. " would walk
// up), a colon anywhere (drive-qualified paths, "C:" after the drive,
// alternate data streams), a character Windows forbids in names
// (< > " | ? * and control characters), or a device name (CON, PRN, AUX,
// NUL, CONIN$, CONOUT$, COM0-9, LPT0-9, also with an extension).
#pragma once

#include "common/text/wide.h"

namespace kivo {

enum class EntryTarget {
  kRootLabel,  // the whole name is one of the root labels: nothing to write
  kPath,       // written to <base directory> + relative
  kRefused,    // unsafe: never written
};

struct MappedEntry {
  EntryTarget target;
  WString relative;  // backslashes, no leading one; only for kPath
};

MappedEntry mapEntryName(const WString& name);

// The name passes the rules above (a root label passes too).
bool isSafeEntryName(const WString& name);

}  // namespace kivo
