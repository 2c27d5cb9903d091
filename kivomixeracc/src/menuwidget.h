// QAccessibleMenuWidget: a QMenu; its actions are the sub-elements 1..n.
#pragma once
#include "hostwidget.h"

class QAction;
class QMenu;

class QAccessibleMenuWidget : public QAccessibleHostWidget
{
public:
    explicit QAccessibleMenuWidget(QObject *menu);
    QMenu *menu() const;

    int childCount() const override;
    int navigateChild(int entry, HostInterfacePtr *target) const override;
    QRect rect(int child) const override;
    quint32 state(int child) const override;
    QString nameText(int child) const override;
    QString valueText(int child) const override;
    void setValueText(int child, const QString &text) override;
    bool doDefaultAction(int child) override;

private:
    QAction *actionAt(int child) const;
};
