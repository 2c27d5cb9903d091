#include "graphicsview.h"
#include "classtest.h"
#include "windowvisibility.h"
#include <QGraphicsView>

using namespace kivoacc;

QAccessibleGraphicsView::QAccessibleGraphicsView(QObject *view)
    : QAccessibleHostObject(view)
{
}

QGraphicsView *QAccessibleGraphicsView::view() const
{
    return qobject_cast<QGraphicsView *>(object());
}

QRect QAccessibleGraphicsView::rect(int child) const
{
    QGraphicsView *v = view();
    if (child < 0 || !v || !v->isVisible())
        return QRect();
    return QRect(v->mapToGlobal(QPoint(0, 0)), v->size());
}

quint32 QAccessibleGraphicsView::state(int) const
{
    QGraphicsView *v = view();
    if (!v)
        return State::Normal;
    quint32 s = State::Normal;
    if (!v->isVisible())
        s |= State::Protected;
    if (!v->isEnabled())
        s |= State::Unavailable;
    if (inheritsClass(v, "VexFrameWindow") && !isNativeWindowVisible(v))
        s |= State::Protected;
    return s;
}

QString QAccessibleGraphicsView::valueText(int) const
{
    return view() ? view()->windowTitle() : QString();
}

quint32 QAccessibleGraphicsView::extraRelationTo(const QAccessibleHostObject *other) const
{
    QGraphicsView *v = view();
    QObject *theirs = other->object();
    if (!v || !theirs || v->focusWidget() != v)
        return Relation::Unrelated;
    for (QObject *o = v; o; o = o->parent()) {
        if (o == theirs)
            return Relation::FocusChild;
    }
    return Relation::Unrelated;
}
