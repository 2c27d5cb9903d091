#include "classtest.h"
#include <QCoreApplication>
#include <QMetaObject>
#include <cstring>

namespace kivoacc {

bool inheritsClass(const QObject *object, const char *className)
{
    if (!object)
        return false;
    for (const QMetaObject *mo = object->metaObject(); mo; mo = mo->superClass()) {
        if (std::strcmp(mo->className(), className) == 0)
            return true;
    }
    return false;
}

QObject *ancestorNamed(const QObject *object, const QString &name)
{
    for (QObject *p = object ? object->parent() : nullptr; p; p = p->parent()) {
        if (p->objectName() == name)
            return p;
    }
    return nullptr;
}

QObject *effectiveParent(const QObject *object)
{
    if (!object)
        return nullptr;
    if (object->parent())
        return object->parent();
    QObject *app = QCoreApplication::instance();
    return app == object ? nullptr : app;
}

} // namespace kivoacc
