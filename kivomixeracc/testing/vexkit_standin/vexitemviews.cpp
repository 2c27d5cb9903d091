#include "vexitemviews.h"
#include <QGraphicsSceneMouseEvent>

void VexAbstractItemContainer::addItem(VexAbstractViewItem *item)
{
    item->setParentItem(this);
    item->setParent(this);
    item->setPos(0, 30.0 * m_items.size());
    item->resize(size().width() > 0 ? size().width() : 100, 30);
    m_items.append(item);
}

VexAbstractViewItem *VexAbstractItemContainer::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index).data() : nullptr;
}

void VexTreeItemContainer::addItem(VexTreeViewItem *item)
{
    item->setParentItem(this);
    item->setParent(this);
    item->setPos(0, 24.0 * m_items.size());
    item->resize(size().width() > 0 ? size().width() : 100, 24);
    m_items.append(item);
}

VexTreeViewItem *VexTreeItemContainer::treeItemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index).data() : nullptr;
}

void VexTreeItemContainer::on_treeItem_clicked(int index, QGraphicsSceneMouseEvent *event)
{
    record(QStringLiteral("on_treeItem_clicked(%1,%2)").arg(index).arg(event ? int(event->type()) : 0));
    VexTreeViewItem *item = treeItemAt(index);
    if (!item)
        return;
    if (item->isFolder())
        item->setExpanded(!item->isExpanded());
    m_selectedIndex = index;
}

VexListWidget::VexListWidget(QGraphicsItem *parentItem)
    : VexWidget(parentItem)
    , m_container(new VexAbstractItemContainer(this))
{
}

VexAbstractViewItem *VexListWidget::viewItemAt(int index) const
{
    return m_container ? m_container->itemAt(index) : nullptr;
}

VexFrameItem *VexTab::addTab(const QString &text)
{
    auto *frame = new VexFrameItem(this);
    frame->setPos(80.0 * m_texts.size(), 0);
    frame->resize(80, 24);
    m_texts.append(text);
    if (m_currentIndex < 0)
        m_currentIndex = 0;
    return frame;
}

void VexTab::setCurrentIndex(int index)
{
    m_currentIndex = index;
    emit currentChanged(index);
}
