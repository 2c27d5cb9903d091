// QAccessibleVexTreeItemContainer: a Vexkit tree item container; its tree
// items are sub-elements 1..n (child n is item n - 1).
#pragma once
#include "graphicswidget.h"

class VexTreeItemContainer;

class QAccessibleVexTreeItemContainer : public QAccessibleGraphicsWidget
{
public:
    explicit QAccessibleVexTreeItemContainer(QObject *container);
    VexTreeItemContainer *container() const;

    int childCount() const override;
    QObject *childObject(int child) const override;
    int navigateChild(int entry, HostInterfacePtr *target) const override;
    int role(int child) const override;
    QString nameText(int child) const override;
    QString valueText(int child) const override;
    quint32 state(int child) const override;
    QRect rect(int child) const override;
    void setValueText(int child, const QString &text) override;
    bool doDefaultAction(int child) override;

private:
    // Opens or closes every folder the way a click on it would.
    void setAllFoldersExpanded(bool expanded);
    // The tree widget's scroll position for "$SetScrollPos:"; false when
    // the container cannot scroll.
    bool scrollTreeWidget(const QString &text);
    void clickItem(int child, bool doubleClick, bool rightButton);
};
