#include "vexviewitem.h"
#include "classtest.h"
#include "viewitemtext.h"
#include <QCoreApplication>
#include <QStandardItem>
#include <vexitemviews.h>

using namespace kivoacc;

QAccessibleVexViewItem::QAccessibleVexViewItem(QObject *item)
    : QAccessibleGraphicsWidget(item)
{
}

QString QAccessibleVexViewItem::valueText(int child) const
{
    auto *item = qobject_cast<VexAbstractViewItem *>(object());
    if (child != 0 || !item || !item->modelItem())
        return QString();
    const QStandardItem *model = item->modelItem();
    if (inheritsClass(item, "KivoTabItem") || inheritsClass(item, "KivoNavigationTabItem")
        || inheritsClass(item, "KivoSubTabItem"))
        return model->data(CaptionRole).toString();
    if (inheritsClass(item, "VexInformItem"))
        return informItemText(model);
    return QString();
}

int QAccessibleVexViewItem::navigateAncestor(int entry, HostInterfacePtr *target) const
{
    if (entry < 1 || !object())
        return NavigationFailed;
    // An item handed out by its container reports the container as parent.
    QObject *reached = parentOverride() ? parentOverride() : object()->parent();
    int left = entry - 1;
    while (reached && left > 0) {
        QObject *up = reached->parent();
        if (!up && left == 1 && reached != QCoreApplication::instance())
            up = QCoreApplication::instance();
        reached = up;
        --left;
    }
    if (!reached && entry == 1)
        reached = QCoreApplication::instance();
    if (!reached)
        return NavigationFailed;
    *target = queryHostInterface(reached);
    return *target ? NavigatedToInterface : NavigationFailed;
}
