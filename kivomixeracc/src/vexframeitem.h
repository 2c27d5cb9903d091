// QAccessibleVexFrameItem: a frame item; inside a VexTab it is one tab.
#pragma once
#include "graphicswidget.h"

class QAccessibleVexFrameItem : public QAccessibleGraphicsWidget
{
public:
    explicit QAccessibleVexFrameItem(QObject *item);
    QString valueText(int child) const override;
    bool doDefaultAction(int child) override;
};
