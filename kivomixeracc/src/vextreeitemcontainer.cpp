#include "vextreeitemcontainer.h"
#include "graphicsgeometry.h"
#include "inputsimulation.h"
#include "viewitemtext.h"
#include <QGraphicsSceneMouseEvent>
#include <QPointer>
#include <QStandardItem>
#include <vexitemviews.h>

using namespace kivoacc;

QAccessibleVexTreeItemContainer::QAccessibleVexTreeItemContainer(QObject *container)
    : QAccessibleGraphicsWidget(container)
{
}

VexTreeItemContainer *QAccessibleVexTreeItemContainer::container() const
{
    return qobject_cast<VexTreeItemContainer *>(object());
}

int QAccessibleVexTreeItemContainer::childCount() const
{
    return container() ? container()->viewItemCount() : 0;
}

QObject *QAccessibleVexTreeItemContainer::childObject(int child) const
{
    if (child == 0)
        return object();
    if (child >= 1 && child <= childCount())
        return container()->treeItemAt(child - 1);
    return nullptr;
}

int QAccessibleVexTreeItemContainer::navigateChild(int entry, HostInterfacePtr *) const
{
    return entry >= 1 && entry <= childCount() ? entry : NavigationFailed;
}

int QAccessibleVexTreeItemContainer::role(int child) const
{
    return child == 0 ? Role::Tree : Role::PushButton;
}

QString QAccessibleVexTreeItemContainer::nameText(int child) const
{
    const QString name = object() ? object()->objectName() : QString();
    return child == 0 ? name : name + QLatin1Char('_') + QString::number(child - 1);
}

QString QAccessibleVexTreeItemContainer::valueText(int child) const
{
    VexTreeItemContainer *c = container();
    if (!c)
        return QString();
    if (child == 0)
        return nameText(c->selectedIndex() + 1);
    VexTreeViewItem *item = c->treeItemAt(child - 1);
    const QStandardItem *model = item ? item->modelItem() : nullptr;
    if (!model)
        return QString();
    const QString name = c->objectName();
    if (name == QLatin1String("channelTreeContainer"))
        return item->isFolder() ? model->text() : QString();
    if (name == QLatin1String("groupListTreeContainer"))
        return model->text() + QStringLiteral("$UnReadMsgNum:") + model->data(UnreadCountRole).toString();
    return model->text();
}

quint32 QAccessibleVexTreeItemContainer::state(int child) const
{
    quint32 s = graphicsWidgetState(childObject(child));
    if (child > 0) {
        auto *item = qobject_cast<VexTreeViewItem *>(childObject(child));
        if (item && item->isFolder())
            s |= State::ExtSelectable;
    }
    return s;
}

QRect QAccessibleVexTreeItemContainer::rect(int child) const
{
    if (child < 0) {
        warnSubelementRect("QAccessibleWidget", child, object());
        return QRect();
    }
    if (child == 0) {
        VexTreeItemContainer *c = container();
        return graphicsWidgetRect(c ? c->parentWidget() : nullptr);
    }
    return graphicsWidgetRect(qobject_cast<QGraphicsWidget *>(childObject(child)));
}

void QAccessibleVexTreeItemContainer::setAllFoldersExpanded(bool expanded)
{
    // The host's click handler may rebuild or delete the container.
    QPointer<VexTreeItemContainer> c = container();
    if (!c)
        return;
    for (int i = 0; i < c->viewItemCount(); ++i) {
        VexTreeViewItem *item = c->treeItemAt(i);
        if (!item || !item->isFolder() || item->isExpanded() == expanded)
            continue;
        QGraphicsSceneMouseEvent press(QEvent::GraphicsSceneMousePress);
        press.setButton(Qt::LeftButton);
        QMetaObject::invokeMethod(c, "on_treeItem_clicked", Qt::DirectConnection,
                                  Q_ARG(int, i), Q_ARG(QGraphicsSceneMouseEvent *, &press));
        if (!c)
            return;
    }
}

bool QAccessibleVexTreeItemContainer::scrollTreeWidget(const QString &text)
{
    VexTreeItemContainer *c = container();
    auto *treeWidget = c ? qobject_cast<VexTreeWidget *>(c->parent()) : nullptr;
    const qint64 count = childCount();
    if (!treeWidget || count == 0)
        return true;
    const qint64 overflow = qint64(c->height()) - treeWidget->height();
    // With exactly five items the formula has no answer (its divisor is
    // (count - 5)^2): the list then stays where it is.
    if (overflow < 1 || count == 5)
        return true;
    qint64 entry = text.mid(14).toInt();
    if (entry < 5)
        entry = 5;
    else if (count < entry + 5)
        entry = count;
    treeWidget->setScrollPos(int(overflow * (entry - 5) * count / ((count - 5) * (count - 5))));
    return true;
}

void QAccessibleVexTreeItemContainer::clickItem(int child, bool doubleClick, bool rightButton)
{
    VexTreeItemContainer *c = container();
    VexTreeViewItem *item = c ? c->treeItemAt(child - 1) : nullptr;
    if (!item)
        return;
    // The buddy list draws a picture at the item's left; click beside it.
    const bool buddyList = c->objectName() == QLatin1String("kivoImBuddyTreeContainer");
    const int x = buddyList ? 5 : -1;
    const int y = buddyList ? int(item->size().height() / 2) : -1;
    simulateSceneClick(item, x, y, doubleClick, rightButton, Qt::NoModifier);
}

void QAccessibleVexTreeItemContainer::setValueText(int child, const QString &text)
{
    if (container()) {
        if (child == 0) {
            if (text == QLatin1String("$CollapseAll")) {
                setAllFoldersExpanded(false);
                return;
            }
            if (text == QLatin1String("$ExpandAll")) {
                setAllFoldersExpanded(true);
                return;
            }
            if (text.startsWith(QLatin1String("$SetScrollPos:")) && scrollTreeWidget(text))
                return;
        } else if (child <= childCount()) {
            if (text == QLatin1String("$Double-Click")) {
                clickItem(child, true, false);
                return;
            }
            if (text == QLatin1String("$Right-Click")) {
                clickItem(child, false, true);
                return;
            }
        }
    }
    runGraphicsWidgetCommand(child, text);
}

bool QAccessibleVexTreeItemContainer::doDefaultAction(int child)
{
    if (child == 0)
        setAllFoldersExpanded(true);
    else if (child >= 1 && child <= childCount())
        clickItem(child, false, false);
    return true;
}
