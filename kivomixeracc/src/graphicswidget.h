// QAccessibleGraphicsWidget: a QGraphicsWidget of the host, and the base of
// the Vexkit widget-family classes. Its value text encodes the widget's
// state (graphicswidgetvalue.cpp); written value texts are commands or
// values (graphicswidgetcommands.cpp).
#pragma once
#include "hostobject.h"

class QGraphicsWidget;

class QAccessibleGraphicsWidget : public QAccessibleHostObject
{
public:
    explicit QAccessibleGraphicsWidget(QObject *widget);

    QRect rect(int child) const override;
    quint32 state(int child) const override;
    QString valueText(int child) const override;
    void setValueText(int child, const QString &text) override;
    bool doDefaultAction(int child) override;

protected:
    quint32 extraRelationTo(const QAccessibleHostObject *other) const override;

    // childObject(child) as a graphics widget, or null.
    QGraphicsWidget *graphicsWidget(int child) const;

    // A single left click at the centre (x = 1 for a label widget).
    bool clickGraphicsWidget(int child);

    // The commands every graphics widget understands.
    void runGraphicsWidgetCommand(int child, const QString &text);
};

namespace kivoacc {
// The value text of any graphics widget, by the first class it is.
QString graphicsWidgetValue(QObject *object);
}
