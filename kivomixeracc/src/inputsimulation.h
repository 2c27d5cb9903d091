// Simulated user input for the command vocabulary. Clicks go through the
// EventSimulator queue (later, from the event loop); key input is posted at
// once. Positions are in the target's own coordinates; -1 for x or y means
// the middle of its width or height.
#pragma once
#include <Qt>

class QGraphicsItem;
class QGraphicsWidget;
class QString;
class QWidget;

namespace kivoacc {

// Press (10 ms), release (100 ms); a double click adds double-click and
// release, 10 ms each. Sent to the item's scene.
void simulateSceneClick(QGraphicsWidget *item, int x, int y, bool doubleClick,
                        bool rightButton, Qt::KeyboardModifiers modifiers);

// Press and release, 10 ms each; then double-click and release for a double
// click, or a context-menu event for a single right click.
void simulateWidgetClick(QWidget *widget, int x, int y, bool doubleClick,
                         bool rightButton, Qt::KeyboardModifiers modifiers);

// Key presses for the text, posted to the parent object of the item's scene.
// "\\\\" is a backslash key; a backslash and two decimal digits nn is the
// special key 0x01000000 + nn ("\\00" Escape, "\\04" Return); a malformed
// escape ends the input there.
void simulateKeyInput(QGraphicsItem *item, const QString &text);

// A click on the native child widget of the scene's view under the point.
void simulateChildWidgetClick(QGraphicsWidget *item, int x, int y, bool doubleClick, bool rightButton);

} // namespace kivoacc
