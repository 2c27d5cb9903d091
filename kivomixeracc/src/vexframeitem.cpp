#include "vexframeitem.h"
#include "inputsimulation.h"
#include <QGraphicsWidget>
#include <vexitemviews.h>

QAccessibleVexFrameItem::QAccessibleVexFrameItem(QObject *item)
    : QAccessibleGraphicsWidget(item)
{
}

QString QAccessibleVexFrameItem::valueText(int) const
{
    QObject *o = object();
    auto *tab = o ? qobject_cast<VexTab *>(o->parent()) : nullptr;
    if (!tab)
        return QString();
    const int index = tab->children().indexOf(o);
    return index < 0 ? QString() : tab->itemText(index);
}

bool QAccessibleVexFrameItem::doDefaultAction(int)
{
    kivoacc::simulateSceneClick(qobject_cast<QGraphicsWidget *>(object()), -1, -1, false, false, Qt::NoModifier);
    return true;
}
