// QAccessibleVexHPTreeWidget: a Vexkit HP tree; the rows of its model are
// sub-elements 1..n (child n is row n - 1).
#pragma once
#include "graphicswidget.h"

class VexHPTreeWidget;

class QAccessibleVexHPTreeWidget : public QAccessibleGraphicsWidget
{
public:
    explicit QAccessibleVexHPTreeWidget(QObject *tree);
    VexHPTreeWidget *tree() const;

    int childCount() const override;
    int navigateChild(int entry, HostInterfacePtr *target) const override;
    int role(int child) const override;
    QString nameText(int child) const override;
    quint32 state(int child) const override;
    QRect rect(int child) const override;
    QString valueText(int child) const override;
    void setValueText(int child, const QString &text) override;
    bool doDefaultAction(int child) override;

private:
    QString rowText(int row) const;
};
