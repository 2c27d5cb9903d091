// The bridge's thirteen interface factories.
//
// Ordering rule: Qt asks the factory installed last first, so installFactories()
// installs them in the order generic object, widget, graphics scene, graphics
// view, graphics widget, menu, tab, list widget, tree widget, frame item,
// tree item container, item container, view item — which makes the effective
// order the reverse: view item first, generic object last. The first factory
// that accepts the object wins; queryHostInterface() applies the same order
// inside the bridge.
#pragma once
#include "hostobject.h"

namespace kivoacc {

// Installs the factories with Qt 5 (each wraps its class in the adapter).
void installFactories();

// Index (0..12, effective order) of the factory that serves the object; -1
// for a null object.
int factoryIndexFor(QObject *object);

} // namespace kivoacc
