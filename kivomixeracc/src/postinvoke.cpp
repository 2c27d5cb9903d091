#include "postinvoke.h"
#include <QCoreApplication>
#include <QMetaMethod>
#include <QObject>
#include <QtCore/private/qobject_p.h>

namespace kivoacc {

int lastMethodNamed(const QObject *target, const QString &name)
{
    if (!target)
        return -1;
    const QMetaObject *mo = target->metaObject();
    const int firstOwn = QObject::staticMetaObject.methodCount();
    const QByteArray wanted = name.toLatin1();
    for (int i = mo->methodCount() - 1; i >= firstOwn; --i) {
        if (mo->method(i).name() == wanted)
            return i;
    }
    return -1;
}

bool postInvoke(QObject *target, const QString &name, const QList<QVariant> &arguments)
{
    const int index = lastMethodNamed(target, name);
    if (index < 0)
        return false;
    const QMetaMethod method = target->metaObject()->method(index);
    // The meta-call hands each parameter a pointer to a value of the declared
    // type; a missing or mistyped one would be read as garbage by the method.
    if (method.parameterCount() != arguments.size())
        return false;
    QList<QVariant> converted;
    for (int i = 0; i < arguments.size(); ++i) {
        const int type = method.parameterType(i);
        QVariant value = arguments.at(i);
        if (type == QMetaType::QVariant) {
            converted.append(value);
            continue;
        }
        if (type == QMetaType::UnknownType || !value.convert(type))
            return false;
        converted.append(value);
    }

    auto *event = new QMetaCallEvent(0, ushort(index), nullptr, target, -1, converted.size() + 1);
    event->types()[0] = 0;
    event->args()[0] = nullptr;
    for (int i = 0; i < converted.size(); ++i) {
        const int type = method.parameterType(i);
        event->types()[i + 1] = type;
        event->args()[i + 1] = type == QMetaType::QVariant
            ? QMetaType::create(type, &converted.at(i))
            : QMetaType::create(type, converted.at(i).constData());
    }
    QCoreApplication::postEvent(target, event);
    return true;
}

} // namespace kivoacc
