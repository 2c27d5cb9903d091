#include "vextreeview.h"
#include <QGraphicsProxyWidget>
#include <QStandardItemModel>
#include <QTreeView>

VexTreeView::VexTreeView(QGraphicsItem *parentItem)
    : VexWidget(parentItem)
    , m_model(new QStandardItemModel(this))
    , m_proxy(new QGraphicsProxyWidget(this))
    , m_view(new QTreeView)
{
    m_view->setModel(m_model);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_proxy->setWidget(m_view);
}

void VexTreeView::resizeEvent(QGraphicsSceneResizeEvent *event)
{
    VexWidget::resizeEvent(event);
    m_proxy->resize(size());
}
