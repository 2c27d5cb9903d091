// The bridge's one operating-system question: is a frame window's native
// window visible? Kept behind this seam so the rest of the bridge stays
// portable, and so tests can answer it themselves.
#pragma once

class QWidget;

namespace kivoacc {

using NativeVisibilityTest = bool (*)(const QWidget *window);

bool isNativeWindowVisible(const QWidget *window);

// Replaces the test (nullptr restores the platform's own).
void setNativeVisibilityTest(NativeVisibilityTest test);

} // namespace kivoacc
