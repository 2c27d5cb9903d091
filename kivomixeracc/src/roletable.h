// The role of a host object for child id 0: the first class in the table
// (roletable.cpp) that the object is wins, so more specific classes are
// listed before the classes they derive from.
#pragma once

class QObject;

namespace kivoacc {
int roleOfObject(const QObject *object);
}
