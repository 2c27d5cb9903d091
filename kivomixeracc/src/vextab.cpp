#include "vextab.h"
#include <cstdlib>
#include <vexitemviews.h>

QAccessibleVexTab::QAccessibleVexTab(QObject *tab)
    : QAccessibleGraphicsWidget(tab)
{
}

VexTab *QAccessibleVexTab::tab() const
{
    return qobject_cast<VexTab *>(object());
}

int QAccessibleVexTab::childCount() const
{
    return tab() ? tab()->tabCount() : 0;
}

QString QAccessibleVexTab::valueText(int) const
{
    VexTab *t = tab();
    return t ? t->itemText(t->currentIndex()) : QString();
}

void QAccessibleVexTab::setValueText(int, const QString &text)
{
    VexTab *t = tab();
    if (!t)
        return;
    const int n = std::atoi(text.toLatin1().constData());
    if (n >= 0 && n < t->tabCount())
        t->setCurrentIndex(n);
}
