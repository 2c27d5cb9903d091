// Class tests by name through the meta-object chain. The host's own Kivo…
// classes are known to the bridge only by name; Vexkit classes are tested
// the same way where only the answer (not the object's operations) matters.
#pragma once
#include <QString>

class QObject;

namespace kivoacc {

// True when a class named className is the object's class or one of its bases.
bool inheritsClass(const QObject *object, const char *className);

// The nearest QObject ancestor (parents only) with the given object name.
QObject *ancestorNamed(const QObject *object, const QString &name);

// The QObject parent, or the application object for an object without one.
QObject *effectiveParent(const QObject *object);

} // namespace kivoacc
