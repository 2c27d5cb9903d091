// The library's exports (C linkage, undecorated names). The host loads the
// library by file name at run time and calls initKivoAT() once, after its
// QApplication exists.
#pragma once
#include <QList>
#include <QString>
#include <QVariant>

class QObject;

#if defined(KIVOMIXERACC_BUILDING)
#define KIVOMIXERACC_EXPORT Q_DECL_EXPORT
#else
#define KIVOMIXERACC_EXPORT Q_DECL_IMPORT
#endif

extern "C" {
// Installs the thirteen interface factories (see factories.h for their order).
KIVOMIXERACC_EXPORT void initVexkitAT();
KIVOMIXERACC_EXPORT void initKivoAT();
KIVOMIXERACC_EXPORT void dummyKivoAccFunction();
// Has the last-declared method of that name called later, from the target's
// event loop, with the arguments converted to its parameter types.
KIVOMIXERACC_EXPORT void postInvokeEvent(QObject *target, QString method, QList<QVariant> arguments);
}
