#include "vexitemcontainer.h"
#include "vexviewitem.h"
#include <QVariant>
#include <vexitemviews.h>

using namespace kivoacc;

QAccessibleVexItemContainer::QAccessibleVexItemContainer(QObject *container)
    : QAccessibleGraphicsWidget(container)
{
}

VexAbstractItemContainer *QAccessibleVexItemContainer::container() const
{
    return qobject_cast<VexAbstractItemContainer *>(object());
}

int QAccessibleVexItemContainer::childCount() const
{
    return container() ? container()->itemCount() : 0;
}

QObject *QAccessibleVexItemContainer::childObject(int child) const
{
    if (child >= 1 && child <= childCount())
        return container()->itemAt(child - 1);
    return object();
}

int QAccessibleVexItemContainer::navigateChild(int entry, HostInterfacePtr *target) const
{
    if (entry < 1 || entry > childCount())
        return NavigationFailed;
    auto item = std::make_unique<QAccessibleVexViewItem>(container()->itemAt(entry - 1));
    item->setParentOverride(object());
    *target = std::move(item);
    return NavigatedToInterface;
}

QString QAccessibleVexItemContainer::nameText(int child) const
{
    if (child != 0 || !object())
        return QString();
    QObject *parent = object()->parent();
    return QStringLiteral("%1Container").arg(parent ? parent->objectName() : QString());
}

QString QAccessibleVexItemContainer::valueText(int child) const
{
    if (child != 0 || !object())
        return QString();
    return object()->property("selectedIndex").toString();
}
