#include "windowvisibility.h"
#include <QWidget>
#include <QWindow>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kivoacc {

namespace {

bool platformWindowVisible(const QWidget *window)
{
#ifdef Q_OS_WIN
    // Only ask for a handle the widget already has: winId() would create one.
    const WId id = window->internalWinId();
    return id && IsWindowVisible(reinterpret_cast<HWND>(id));
#else
    const QWindow *handle = window->windowHandle();
    return handle ? handle->isVisible() : window->isVisible();
#endif
}

NativeVisibilityTest g_test = nullptr;

} // namespace

bool isNativeWindowVisible(const QWidget *window)
{
    if (!window)
        return false;
    return g_test ? g_test(window) : platformWindowVisible(window);
}

void setNativeVisibilityTest(NativeVisibilityTest test)
{
    g_test = test;
}

} // namespace kivoacc
