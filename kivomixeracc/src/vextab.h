// QAccessibleVexTab: a Vexkit tab row; a written number selects that tab.
#pragma once
#include "graphicswidget.h"

class VexTab;

class QAccessibleVexTab : public QAccessibleGraphicsWidget
{
public:
    explicit QAccessibleVexTab(QObject *tab);
    VexTab *tab() const;

    int childCount() const override;
    QString valueText(int child) const override;
    void setValueText(int child, const QString &text) override;
};
