// QAccessibleGraphicsView: a QGraphicsView (the host's frame windows).
#pragma once
#include "hostobject.h"

class QGraphicsView;

class QAccessibleGraphicsView : public QAccessibleHostObject
{
public:
    explicit QAccessibleGraphicsView(QObject *view);
    QGraphicsView *view() const;

    QRect rect(int child) const override;
    quint32 state(int child) const override;
    QString valueText(int child) const override;

protected:
    quint32 extraRelationTo(const QAccessibleHostObject *other) const override;
};
