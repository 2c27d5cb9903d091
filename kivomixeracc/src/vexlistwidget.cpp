#include "vexlistwidget.h"
#include "graphicsgeometry.h"
#include "viewitemtext.h"
#include <QStandardItem>
#include <vexitemviews.h>

using namespace kivoacc;

QAccessibleVexListWidget::QAccessibleVexListWidget(QObject *list)
    : QAccessibleGraphicsWidget(list)
{
}

VexListWidget *QAccessibleVexListWidget::list() const
{
    return qobject_cast<VexListWidget *>(object());
}

int QAccessibleVexListWidget::childCount() const
{
    VexListWidget *l = list();
    return l && l->container() ? l->container()->itemCount() : 0;
}

QObject *QAccessibleVexListWidget::childObject(int child) const
{
    if (child == 0 || !list())
        return object();
    return child >= 1 ? list()->viewItemAt(child - 1) : nullptr;
}

int QAccessibleVexListWidget::navigateChild(int entry, HostInterfacePtr *) const
{
    return entry >= 1 && entry <= childCount() ? entry : NavigationFailed;
}

int QAccessibleVexListWidget::role(int child) const
{
    return child == 0 ? Role::Tree : Role::PushButton;
}

QString QAccessibleVexListWidget::nameText(int child) const
{
    const QString name = object() ? object()->objectName() : QString();
    return child == 0 ? name : name + QLatin1Char('_') + QString::number(child - 1);
}

QRect QAccessibleVexListWidget::rect(int child) const
{
    if (child < 0) {
        warnSubelementRect("QAccessibleVexListWidget", child, object());
        return QRect();
    }
    const QRect r = graphicsWidgetRect(list());
    if (child == 0)
        return r;
    VexAbstractViewItem *item = list() ? list()->viewItemAt(child - 1) : nullptr;
    if (!item)
        return QRect();
    const QPointF pos = item->pos();
    const QRectF geometry = item->geometry();
    return QRect(int(r.x() + pos.x()), int(r.y() + pos.y()), int(geometry.width()), int(geometry.height()));
}

QString QAccessibleVexListWidget::valueText(int child) const
{
    VexListWidget *l = list();
    if (!l)
        return QString();
    if (child == 0)
        return QString::number(l->indexSelected());
    VexAbstractViewItem *item = child >= 1 ? l->viewItemAt(child - 1) : nullptr;
    if (!item || !item->modelItem())
        return QString();
    return qobject_cast<VexInformItem *>(item) ? informItemText(item->modelItem()) : QString();
}
