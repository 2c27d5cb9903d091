// QAccessibleVexItemContainer: a Vexkit item container; its items are its
// children, handed out as view-item interfaces that report the container
// as their parent.
#pragma once
#include "graphicswidget.h"

class VexAbstractItemContainer;

class QAccessibleVexItemContainer : public QAccessibleGraphicsWidget
{
public:
    explicit QAccessibleVexItemContainer(QObject *container);
    VexAbstractItemContainer *container() const;

    int childCount() const override;
    QObject *childObject(int child) const override;
    int navigateChild(int entry, HostInterfacePtr *target) const override;
    QString nameText(int child) const override;
    QString valueText(int child) const override;
};
