#include "viewitemtext.h"
#include <QStandardItem>

namespace kivoacc {

QString informItemText(const QStandardItem *item)
{
    if (!item)
        return QString();
    const QString prefix = item->data(CheckedRole).toBool() ? QStringLiteral("$Checked|") : QStringLiteral("$Unchecked|");
    return prefix + item->data(CaptionRole).toString();
}

} // namespace kivoacc
