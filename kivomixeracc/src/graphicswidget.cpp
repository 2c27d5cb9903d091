#include "graphicswidget.h"
#include "classtest.h"
#include "graphicsgeometry.h"
#include "inputsimulation.h"
#include <QGraphicsWidget>

using namespace kivoacc;

QAccessibleGraphicsWidget::QAccessibleGraphicsWidget(QObject *widget)
    : QAccessibleHostObject(widget)
{
}

QGraphicsWidget *QAccessibleGraphicsWidget::graphicsWidget(int child) const
{
    return qobject_cast<QGraphicsWidget *>(childObject(child));
}

QRect QAccessibleGraphicsWidget::rect(int child) const
{
    if (child < 0) {
        warnSubelementRect("QAccessibleWidget", child, object());
        return QRect();
    }
    return graphicsWidgetRect(graphicsWidget(child));
}

quint32 QAccessibleGraphicsWidget::state(int child) const
{
    return graphicsWidgetState(childObject(child));
}

QString QAccessibleGraphicsWidget::valueText(int child) const
{
    return graphicsWidgetValue(childObject(child));
}

void QAccessibleGraphicsWidget::setValueText(int child, const QString &text)
{
    runGraphicsWidgetCommand(child, text);
}

bool QAccessibleGraphicsWidget::doDefaultAction(int child)
{
    return clickGraphicsWidget(child);
}

bool QAccessibleGraphicsWidget::clickGraphicsWidget(int child)
{
    QGraphicsWidget *o = graphicsWidget(child);
    if (!o)
        return false;
    const int x = inheritsClass(o, "VexLabelWidget") ? 1 : -1;
    simulateSceneClick(o, x, -1, false, false, Qt::NoModifier);
    return true;
}

quint32 QAccessibleGraphicsWidget::extraRelationTo(const QAccessibleHostObject *other) const
{
    auto *w = qobject_cast<QGraphicsWidget *>(object());
    QObject *theirs = other->object();
    if (!w || !theirs || w->focusWidget() != w)
        return Relation::Unrelated;
    for (QObject *o = w; o; o = o->parent()) {
        if (o == theirs)
            return Relation::FocusChild;
    }
    return Relation::Unrelated;
}
