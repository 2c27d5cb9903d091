// VexTreeView: the framework's table-like tree; a real QTreeView does the
// drawing and receives the mouse, inside a proxy item.
#pragma once
#include "vexwidget.h"

class QGraphicsProxyWidget;
class QStandardItemModel;
class QTreeView;

class VEXKIT_EXPORT VexTreeView : public VexWidget
{
    Q_OBJECT
public:
    explicit VexTreeView(QGraphicsItem *parentItem = nullptr);
    QStandardItemModel *model() const { return m_model; }
    QTreeView *realTreeView() const { return m_view; }
protected:
    void resizeEvent(QGraphicsSceneResizeEvent *event) override;
private:
    QStandardItemModel *m_model;
    QGraphicsProxyWidget *m_proxy;
    QTreeView *m_view;
};
