#include "hostwidget.h"
#include "classtest.h"
#include <QVariant>
#include <QWidget>
#include <QtCore/private/qobject_p.h>

using namespace kivoacc;

QAccessibleHostWidget::QAccessibleHostWidget(QObject *widget)
    : QAccessibleHostObject(widget)
{
}

QWidget *QAccessibleHostWidget::widget() const
{
    return qobject_cast<QWidget *>(object());
}

QRect QAccessibleHostWidget::rect(int child) const
{
    QWidget *w = widget();
    if (!w)
        return QRect();
    if (child != 0) {
        qWarning("QAccessibleWidget::rect: This implementation does not support subelements! (ID %d unknown for %s)",
                 child, w->metaObject()->className());
    }
    if (!w->isVisible())
        return QRect();
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

quint32 QAccessibleHostWidget::state(int) const
{
    QWidget *w = widget();
    if (!w)
        return State::Normal;
    quint32 s = State::Normal;
    if (!w->testAttribute(Qt::WA_WState_Visible))
        s |= State::Invisible;
    if (w->focusPolicy() != Qt::NoFocus && w->isActiveWindow())
        s |= State::Focusable;
    if (w->hasFocus())
        s |= State::Focused;
    if (!w->isEnabled())
        s |= State::Unavailable;
    if (w->isWindow()) {
        if (w->windowFlags() & Qt::WindowSystemMenuHint)
            s |= State::Movable;
        if (w->minimumSize() != w->maximumSize())
            s |= State::Sizeable;
    }
    return s;
}

QString QAccessibleHostWidget::valueText(int) const
{
    QObject *o = object();
    if (inheritsClass(o, "WHItem"))
        return o->property("currentPageUid").toString();
    if (inheritsClass(o, "ZavQLabel"))
        return o->property("auxValue").toString();
    if (inheritsClass(o, "RzPresenterPromptFrame"))
        return o->property("promptGeometry").toString();
    return QString();
}

int QAccessibleHostWidget::navigateFocusChild(int, HostInterfacePtr *target) const
{
    QWidget *w = widget();
    if (!w)
        return NavigationFailed;
    QObject *focus = nullptr;
    if (w->hasFocus()) {
        focus = w;
    } else if (QWidget *fw = w->focusWidget()) {
        if (fw == w || w->isAncestorOf(fw))
            focus = fw;
    }
    if (!focus)
        return NavigationFailed;
    *target = queryHostInterface(focus);
    return *target ? NavigatedToInterface : NavigationFailed;
}

int QAccessibleHostWidget::navigateController(int entry, HostInterfacePtr *target) const
{
    if (entry <= 0 || !object())
        return NavigationFailed;
    // The senders connected to this object, in Qt's order.
    QObjectList senders;
    QObjectPrivate *d = QObjectPrivate::get(object());
    if (QObjectPrivate::ConnectionData *cd = d->connections.loadRelaxed()) {
        for (QObjectPrivate::Connection *c = cd->senders; c; c = c->next) {
            if (c->sender && !senders.contains(c->sender))
                senders.append(c->sender);
        }
    }
    for (QObject *sender : senders) {
        HostInterfacePtr iface = queryHostInterface(sender);
        if (iface && (iface->relationTo(0, this, 0) & Relation::Controller) && --entry == 0) {
            *target = std::move(iface);
            return NavigatedToInterface;
        }
    }
    return NavigationFailed;
}
