// QAccessibleVexViewItem: an item of a Vexkit item view.
#pragma once
#include "graphicswidget.h"

class QAccessibleVexViewItem : public QAccessibleGraphicsWidget
{
public:
    explicit QAccessibleVexViewItem(QObject *item);
    QString valueText(int child) const override;
    int navigateAncestor(int entry, HostInterfacePtr *target) const override;
};

