// Whether the preferred window face "微软雅黑" is installed; the windows use
// it when it is and fall back to their default face otherwise. Both
// programs probe once at start-up, before their first window.
#pragma once

namespace kivo {

extern bool fontAvailable;

// Enumerates the face on the screen device context and sets fontAvailable.
void probeFontAvailable();

}  // namespace kivo
