// The extraction loop over a 7z archive in memory (portable; the LZMA SDK
// does the decoding).
//
// Opens the archive from |bytes| (borrowed for the call), checks every
// entry name first (an archive that holds one unsafe name is refused
// whole, before anything is written: see entry_path.h), then walks the
// entries in archive order, decoding each solid block once into the folder
// cache, and drives |sink| as extract_sink.h describes. Runs entirely on
// the caller's thread.
//
// Check mode (fullInstall false): only entries whose last component is
// exactly "KivoVirtualCam.ax" reach the sink, renamed
// "InstallDir/KivoVirtualCam.ax".
#pragma once

#include <cstddef>

#include "common/text/wide.h"
#include "installer/extract/extract_sink.h"

namespace kivo {

struct ExtractOutcome {
  // SZ_OK, an SDK error (SZ_ERROR_CRC, SZ_ERROR_DATA, SZ_ERROR_ARCHIVE, ...)
  // or SZ_ERROR_FAIL (11) when the sink refused an entry or |cancel| fired.
  int error = 0;
  // Set when the archive was refused for an unsafe entry name.
  WString refusedName;
  bool ok() const { return error == 0; }
};

// |cancel| may be null.
ExtractOutcome extractEntries(const unsigned char* bytes, size_t size, ExtractSink& sink,
                              const CancelSource* cancel, bool fullInstall);

}  // namespace kivo
