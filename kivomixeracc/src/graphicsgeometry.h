// Rectangle and state of a graphics widget, shared by every accessible
// class that serves one.
#pragma once
#include <QRect>

class QGraphicsWidget;
class QObject;

namespace kivoacc {

// The widget's scene origin (rounded) read as a position in the viewport of
// the scene's first view, mapped to the screen; the widget's size
// (truncated). Empty without a scene or view.
QRect graphicsWidgetRect(const QGraphicsWidget *widget);

// Protected (not Invisible) for a hidden widget, Unavailable for a disabled
// one, ReadOnly for a read-only line, text or native edit.
quint32 graphicsWidgetState(const QObject *object);

void warnSubelementRect(const char *className, int child, const QObject *object);

} // namespace kivoacc
