#include "vexhptreewidget.h"
#include "classtest.h"
#include "graphicsgeometry.h"
#include "inputsimulation.h"
#include <QVariant>
#include <vexcontrols.h>
#include <vexhptree.h>

using namespace kivoacc;

QAccessibleVexHPTreeWidget::QAccessibleVexHPTreeWidget(QObject *tree)
    : QAccessibleGraphicsWidget(tree)
{
}

VexHPTreeWidget *QAccessibleVexHPTreeWidget::tree() const
{
    return qobject_cast<VexHPTreeWidget *>(object());
}

int QAccessibleVexHPTreeWidget::childCount() const
{
    VexHPTreeWidget *t = tree();
    return t && t->model() ? t->model()->rowCount() : 0;
}

int QAccessibleVexHPTreeWidget::navigateChild(int entry, HostInterfacePtr *) const
{
    return entry >= 1 && entry <= childCount() ? entry : NavigationFailed;
}

int QAccessibleVexHPTreeWidget::role(int child) const
{
    return child == 0 ? Role::Tree : Role::PushButton;
}

QString QAccessibleVexHPTreeWidget::nameText(int child) const
{
    const QString name = object() ? object()->objectName() : QString();
    return child == 0 ? name : name + QLatin1Char('_') + QString::number(child - 1);
}

quint32 QAccessibleVexHPTreeWidget::state(int child) const
{
    quint32 s = graphicsWidgetState(object());
    VexHPTreeWidget *t = tree();
    if (child >= 1 && child <= childCount() && (t->model()->getRowFlg(child - 1) & 1))
        s |= State::ExtSelectable;
    return s;
}

QRect QAccessibleVexHPTreeWidget::rect(int child) const
{
    if (child < 0) {
        warnSubelementRect("QAccessibleWidget", child, object());
        return QRect();
    }
    VexHPTreeWidget *t = tree();
    const QRect r = graphicsWidgetRect(t);
    if (child == 0 || !t)
        return r;
    const QRectF row = t->rowRect(child - 1);
    double y = r.y() + row.y();
    if (t->scrollBar())
        y -= t->scrollBar()->sliderPosition();
    return QRect(int(r.x() + row.x()), int(y), int(row.width()), int(row.height()));
}

QString QAccessibleVexHPTreeWidget::rowText(int row) const
{
    VexHPTreeWidget *t = tree();
    VexHPTreeModel *model = t ? t->model() : nullptr;
    VexHPTreeItem *item = model ? model->itemAtRow(row) : nullptr;
    if (!item)
        return QString();
    if (model->getRowFlg(row) & 1)
        return model->folderText(item->uid());
    QString text = model->itemText(item->uid());
    if (inheritsClass(t, "KivoChannelUserTreeWidget")) {
        // One flag per row, but the list may be shorter than the rows:
        // rows beyond its end carry no marker.
        const QList<bool> vip = t->property("userVIPRoles").value<QList<bool>>();
        if (row < vip.size() && vip.at(row))
            text += QStringLiteral("$VIPRole:VIP");
    }
    return text;
}

QString QAccessibleVexHPTreeWidget::valueText(int child) const
{
    VexHPTreeWidget *t = tree();
    if (!t || !t->model())
        return QString();
    if (child == 0)
        return QStringLiteral("$Select:") + QString::number(t->model()->selected());
    return child >= 1 ? rowText(child - 1) : QString();
}

void QAccessibleVexHPTreeWidget::setValueText(int child, const QString &text)
{
    VexHPTreeWidget *t = tree();
    if (t && child >= 1 && (text == QLatin1String("$Double-Click") || text == QLatin1String("$Right-Click"))) {
        const bool doubleClick = text == QLatin1String("$Double-Click");
        const QPointF centre = t->rowRect(child - 1).center();
        const double scrolled = t->scrollBar() ? t->scrollBar()->sliderPosition() : 0.0;
        simulateSceneClick(t, int(centre.x()), int(centre.y() - scrolled), doubleClick, !doubleClick, Qt::NoModifier);
        return;
    }
    if (t && child == 0) {
        if (text == QLatin1String("$CollapseAll")) {
            t->collapseAllFolders();
            return;
        }
        if (text == QLatin1String("$ExpandAll")) {
            t->expandAllFolders();
            return;
        }
        if (text.startsWith(QLatin1String("$SetScrollPos:"))) {
            const int n = text.mid(14).toInt();
            if (t->scrollBar() && childCount() >= 1)
                t->scrollBar()->setSliderPosition(double(n) * rect(1).height());
            return;
        }
    }
    runGraphicsWidgetCommand(child, text);
}

bool QAccessibleVexHPTreeWidget::doDefaultAction(int child)
{
    VexHPTreeWidget *t = tree();
    if (!t)
        return true;
    if (child == 0) {
        t->expandAllFolders();
    } else if (child >= 1) {
        const QPointF centre = t->rowRect(child - 1).center();
        simulateSceneClick(t, int(centre.x()), int(centre.y()), false, false, Qt::NoModifier);
    }
    return true;
}
