// QAccessibleGraphicsScene: a QGraphicsScene; its QObject children (the
// top-level graphics widgets) are its children.
#pragma once
#include "hostobject.h"

class QGraphicsScene;

class QAccessibleGraphicsScene : public QAccessibleHostObject
{
public:
    explicit QAccessibleGraphicsScene(QObject *scene);
    QGraphicsScene *scene() const;

    QString nameText(int child) const override;
    QRect rect(int child) const override;
    quint32 state(int child) const override;
};
