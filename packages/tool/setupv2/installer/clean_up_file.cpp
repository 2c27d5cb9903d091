#include "installer/clean_up_file.h"

namespace kivo {

// The clean-up of old installations comes with the installed-data-files
// work; until then a wizard extraction simply writes over what is there.
void cleanUpFile(const std::wstring&) {}

}  // namespace kivo
