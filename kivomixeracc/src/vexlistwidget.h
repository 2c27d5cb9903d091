// QAccessibleVexListWidget: a Vexkit list; its view items are sub-elements
// 1..n (child n is item n - 1).
#pragma once
#include "graphicswidget.h"

class VexListWidget;

class QAccessibleVexListWidget : public QAccessibleGraphicsWidget
{
public:
    explicit QAccessibleVexListWidget(QObject *list);
    VexListWidget *list() const;

    int childCount() const override;
    QObject *childObject(int child) const override;
    int navigateChild(int entry, HostInterfacePtr *target) const override;
    int role(int child) const override;
    QString nameText(int child) const override;
    QRect rect(int child) const override;
    QString valueText(int child) const override;
};
