// QAccessibleHostWidget: any QWidget of the host.
#pragma once
#include "hostobject.h"

class QWidget;

class QAccessibleHostWidget : public QAccessibleHostObject
{
public:
    explicit QAccessibleHostWidget(QObject *widget);
    QWidget *widget() const;

    QRect rect(int child) const override;
    quint32 state(int child) const override;
    QString valueText(int child) const override;
    int navigateFocusChild(int entry, HostInterfacePtr *target) const override;
    int navigateController(int entry, HostInterfacePtr *target) const override;
};
