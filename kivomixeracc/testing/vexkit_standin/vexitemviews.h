// Stand-in Vexkit item views: view items, item containers (flat and tree),
// the tree widget that scrolls a tree container, the list widget, and the
// tab with its frame items.
#pragma once
#include "vexwidget.h"
#include <QPointer>
#include <QVector>

class QStandardItem;
class QGraphicsSceneMouseEvent;

class VEXKIT_EXPORT VexAbstractViewItem : public VexWidget
{
    Q_OBJECT
public:
    explicit VexAbstractViewItem(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    // The model item is owned by the model the host keeps; the view item only points at it.
    QStandardItem *modelItem() const { return m_modelItem; }
    void setModelItem(QStandardItem *item) { m_modelItem = item; }
private:
    QStandardItem *m_modelItem = nullptr;
};

// An item with a check mark (data role 33) and a caption (data role 34).
class VEXKIT_EXPORT VexInformItem : public VexAbstractViewItem
{
    Q_OBJECT
public:
    explicit VexInformItem(QGraphicsItem *parentItem = nullptr) : VexAbstractViewItem(parentItem) {}
};

class VEXKIT_EXPORT VexAbstractItemContainer : public VexWidget
{
    Q_OBJECT
    Q_PROPERTY(int selectedIndex READ selectedIndex WRITE setSelectedIndex)
public:
    explicit VexAbstractItemContainer(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    // Items are laid out one below the other; the container owns them.
    void addItem(VexAbstractViewItem *item);
    int itemCount() const { return m_items.size(); }
    VexAbstractViewItem *itemAt(int index) const;
    int selectedIndex() const { return m_selectedIndex; }
    void setSelectedIndex(int index) { m_selectedIndex = index; }
private:
    QVector<QPointer<VexAbstractViewItem>> m_items;
    int m_selectedIndex = -1;
};

class VEXKIT_EXPORT VexTreeViewItem : public VexAbstractViewItem
{
    Q_OBJECT
public:
    explicit VexTreeViewItem(QGraphicsItem *parentItem = nullptr) : VexAbstractViewItem(parentItem) {}
    virtual bool isFolder() const { return m_folder; }
    void setFolder(bool folder) { m_folder = folder; }
    bool isExpanded() const { return m_expanded; }
    void setExpanded(bool expanded) { m_expanded = expanded; }
private:
    bool m_folder = false;
    bool m_expanded = false;
};

class VEXKIT_EXPORT VexTreeItemContainer : public VexWidget
{
    Q_OBJECT
public:
    explicit VexTreeItemContainer(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    void addItem(VexTreeViewItem *item);
    int viewItemCount() const { return m_items.size(); }
    VexTreeViewItem *treeItemAt(int index) const;
    int selectedIndex() const { return m_selectedIndex; }
    void setSelectedIndex(int index) { m_selectedIndex = index; }
public slots:
    // A click on an item: a folder toggles, any item becomes the selection.
    void on_treeItem_clicked(int index, QGraphicsSceneMouseEvent *event);
private:
    QVector<QPointer<VexTreeViewItem>> m_items;
    int m_selectedIndex = -1;
};

// Scrolls a tree item container that is taller than itself.
class VEXKIT_EXPORT VexTreeWidget : public VexWidget
{
    Q_OBJECT
public:
    explicit VexTreeWidget(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    int scrollPos() const { return m_scrollPos; }
    void setScrollPos(int position) { m_scrollPos = position; record(QStringLiteral("setScrollPos(%1)").arg(position)); }
private:
    int m_scrollPos = 0;
};

class VEXKIT_EXPORT VexListWidget : public VexWidget
{
    Q_OBJECT
public:
    explicit VexListWidget(QGraphicsItem *parentItem = nullptr);
    VexAbstractItemContainer *container() const { return m_container; }
    VexAbstractViewItem *viewItemAt(int index) const;
    int indexSelected() const { return m_container ? m_container->selectedIndex() : -1; }
private:
    QPointer<VexAbstractItemContainer> m_container;
};

class VEXKIT_EXPORT VexFrameItem : public VexWidget
{
    Q_OBJECT
public:
    explicit VexFrameItem(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
};

// A row of tabs; each tab is a VexFrameItem child, in tab order.
class VEXKIT_EXPORT VexTab : public VexWidget
{
    Q_OBJECT
public:
    explicit VexTab(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    VexFrameItem *addTab(const QString &text);
    int tabCount() const { return m_texts.size(); }
    int currentIndex() const { return m_currentIndex; }
    void setCurrentIndex(int index);
    QString itemText(int index) const { return m_texts.value(index); }
signals:
    void currentChanged(int index);
private:
    QStringList m_texts;
    int m_currentIndex = -1;
};
