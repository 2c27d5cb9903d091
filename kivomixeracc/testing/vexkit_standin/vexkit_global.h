// Export macro of the Vexkit stand-in library (a test fixture: the least of
// the host framework that the accessibility bridge calls).
#pragma once
#include <QtCore/qglobal.h>

#if defined(VEXKIT_BUILDING)
#define VEXKIT_EXPORT Q_DECL_EXPORT
#else
#define VEXKIT_EXPORT Q_DECL_IMPORT
#endif
