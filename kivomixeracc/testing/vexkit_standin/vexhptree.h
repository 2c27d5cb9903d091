// Stand-in for Vexkit's "HP" tree: a flat row model of folders and items
// (identified by uid) drawn by VexHPTreeWidget with a vertical scroll bar.
// Collapsed folders hide their items from the rows.
#pragma once
#include "vexwidget.h"
#include <QRectF>
#include <QVector>
#include <memory>
#include <vector>

class VexScrollBar;

class VEXKIT_EXPORT VexHPTreeItem
{
public:
    VexHPTreeItem(uint uid, bool folder, const QString &text)
        : m_uid(uid), m_folder(folder), m_text(text) {}
    uint uid() const { return m_uid; }
    bool isFolder() const { return m_folder; }
    QString text() const { return m_text; }
private:
    uint m_uid;
    bool m_folder;
    QString m_text;
};

class VEXKIT_EXPORT VexHPTreeModel : public QObject
{
    Q_OBJECT
public:
    explicit VexHPTreeModel(QObject *parent = nullptr) : QObject(parent) {}
    // Folders come in the order added; an item belongs to the last folder added.
    uint addFolder(const QString &text);
    uint addItem(const QString &text);

    int rowCount() const;
    int getRowFlg(int row) const;           // bit 0: the row is a folder
    VexHPTreeItem *itemAtRow(int row) const;
    QString itemText(uint uid) const;
    QString folderText(uint uid) const;
    int selected() const { return m_selected; }
    void setSelected(int row) { m_selected = row; }
    void setAllExpanded(bool expanded);
    bool allExpanded() const;
private:
    struct Entry {
        std::unique_ptr<VexHPTreeItem> item;
        int folder; // index of the folder entry; -1 for a folder itself
        bool expanded;
    };
    QVector<int> visibleEntries() const;
    const Entry *entryByUid(uint uid) const;
    std::vector<Entry> m_entries;
    uint m_nextUid = 100;
    int m_selected = -1;
};

class VEXKIT_EXPORT VexHPTreeWidget : public VexWidget
{
    Q_OBJECT
public:
    explicit VexHPTreeWidget(QGraphicsItem *parentItem = nullptr);
    VexHPTreeModel *model() const { return m_model; }
    VexScrollBar *scrollBar() const { return m_scrollBar; }
    void setScrollBar(VexScrollBar *bar) { m_scrollBar = bar; }
    // A row's rectangle in the widget's coordinates, before scrolling.
    QRectF rowRect(int row) const;
    void collapseAllFolders();
    void expandAllFolders();
    static constexpr int RowHeight = 22;
private:
    VexHPTreeModel *m_model;
    VexScrollBar *m_scrollBar;
};
