#include "graphicsgeometry.h"
#include "accessibleconstants.h"
#include "classtest.h"
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGraphicsWidget>
#include <QVariant>

namespace kivoacc {

QRect graphicsWidgetRect(const QGraphicsWidget *widget)
{
    if (!widget || !widget->scene() || widget->scene()->views().isEmpty())
        return QRect();
    const QGraphicsView *view = widget->scene()->views().first();
    const QPoint inScene = widget->mapToScene(QPointF(0, 0)).toPoint();
    const QRectF geometry = widget->geometry();
    return QRect(view->viewport()->mapToGlobal(inScene),
                 QSize(int(geometry.width()), int(geometry.height())));
}

quint32 graphicsWidgetState(const QObject *object)
{
    const auto *widget = qobject_cast<const QGraphicsWidget *>(object);
    if (!widget)
        return State::Normal;
    quint32 s = State::Normal;
    if (!widget->isVisible())
        s |= State::Protected;
    if (!widget->isEnabled())
        s |= State::Unavailable;
    if ((inheritsClass(object, "VexLineEdit") || inheritsClass(object, "VexTextEdit")
         || inheritsClass(object, "VexNativeLineEdit"))
        && object->property("readOnly").toBool())
        s |= State::ReadOnly;
    return s;
}

void warnSubelementRect(const char *className, int child, const QObject *object)
{
    qWarning("%s::rect: This implementation does not support subelements! (ID %d unknown for %s)",
             className, child, object ? object->metaObject()->className() : "");
}

} // namespace kivoacc
