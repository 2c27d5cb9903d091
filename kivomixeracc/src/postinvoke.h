// Calls a method of an object later, from the event loop, through a posted
// meta-call event.
#pragma once
#include <QList>
#include <QString>
#include <QVariant>

class QObject;

namespace kivoacc {

// The index of the last-declared method (slot, signal or invokable) of that
// name, not counting QObject's own; -1 when there is none.
int lastMethodNamed(const QObject *target, const QString &name);

// Posts a call of lastMethodNamed(target, name). The arguments are converted
// to the method's parameter types; a call that cannot be made safely (wrong
// argument count, an argument that does not convert) is not posted.
// Returns whether the call was posted.
bool postInvoke(QObject *target, const QString &name, const QList<QVariant> &arguments);

} // namespace kivoacc
