#include "vexhptree.h"
#include "vexcontrols.h"

uint VexHPTreeModel::addFolder(const QString &text)
{
    const uint uid = m_nextUid++;
    m_entries.push_back({std::make_unique<VexHPTreeItem>(uid, true, text), -1, true});
    return uid;
}

uint VexHPTreeModel::addItem(const QString &text)
{
    const uint uid = m_nextUid++;
    int folder = -1;
    for (int i = int(m_entries.size()) - 1; i >= 0; --i) {
        if (m_entries[size_t(i)].folder < 0) { folder = i; break; }
    }
    m_entries.push_back({std::make_unique<VexHPTreeItem>(uid, false, text), folder, false});
    return uid;
}

QVector<int> VexHPTreeModel::visibleEntries() const
{
    QVector<int> rows;
    for (int i = 0; i < int(m_entries.size()); ++i) {
        const Entry &e = m_entries[size_t(i)];
        if (e.item->isFolder() || e.folder < 0 || m_entries[size_t(e.folder)].expanded)
            rows.append(i);
    }
    return rows;
}

int VexHPTreeModel::rowCount() const { return visibleEntries().size(); }

int VexHPTreeModel::getRowFlg(int row) const
{
    const VexHPTreeItem *item = itemAtRow(row);
    return item && item->isFolder() ? 1 : 0;
}

VexHPTreeItem *VexHPTreeModel::itemAtRow(int row) const
{
    const QVector<int> rows = visibleEntries();
    return row >= 0 && row < rows.size() ? m_entries[size_t(rows[row])].item.get() : nullptr;
}

const VexHPTreeModel::Entry *VexHPTreeModel::entryByUid(uint uid) const
{
    for (const Entry &e : m_entries) {
        if (e.item->uid() == uid)
            return &e;
    }
    return nullptr;
}

QString VexHPTreeModel::itemText(uint uid) const
{
    const Entry *e = entryByUid(uid);
    return e && !e->item->isFolder() ? e->item->text() : QString();
}

QString VexHPTreeModel::folderText(uint uid) const
{
    const Entry *e = entryByUid(uid);
    return e && e->item->isFolder() ? e->item->text() : QString();
}

void VexHPTreeModel::setAllExpanded(bool expanded)
{
    for (Entry &e : m_entries) {
        if (e.item->isFolder())
            e.expanded = expanded;
    }
}

bool VexHPTreeModel::allExpanded() const
{
    for (const Entry &e : m_entries) {
        if (e.item->isFolder() && !e.expanded)
            return false;
    }
    return true;
}

VexHPTreeWidget::VexHPTreeWidget(QGraphicsItem *parentItem)
    : VexWidget(parentItem)
    , m_model(new VexHPTreeModel(this))
    , m_scrollBar(new VexScrollBar(this))
{
    m_scrollBar->setRange(0, 1000);
}

QRectF VexHPTreeWidget::rowRect(int row) const
{
    return QRectF(0, qreal(row) * RowHeight, size().width(), RowHeight);
}

void VexHPTreeWidget::collapseAllFolders()
{
    m_model->setAllExpanded(false);
    record(QStringLiteral("collapseAllFolders"));
}

void VexHPTreeWidget::expandAllFolders()
{
    m_model->setAllExpanded(true);
    record(QStringLiteral("expandAllFolders"));
}
