// Names, values, states and rectangles that the widget-family classes give
// their children: tree containers, the HP tree, lists, tabs, menus, view
// items, and the plain-object and widget classes.
#include "graphicsgeometry.h"
#include "hostfixture.h"
#include "viewitemtext.h"
#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <QStandardItem>
#include <kivowidgets.h>

using namespace kivoacc;

class FamilyValues : public QObject
{
    Q_OBJECT
private slots:
    void treeContainerChildZeroNamesTheSelection_data();
    void treeContainerChildZeroNamesTheSelection();
    void treeContainerItemValues_data();
    void treeContainerItemValues();
    void treeContainerFolderIsExtSelectable();
    void hpTreeValues();
    void hpTreeVipMarkerStopsAtTheEndOfTheList();
    void hpTreeRowRectFollowsTheScrollBar();
    void listValues();
    void tabAndFrameItemValues();
    void menuActionValues();
    void menuActionRectsAreOnTheScreen();
    void viewItemValues();
    void itemContainerNameAndValue();
    void plainObjectValues();
    void toolWidgetRectIsInsideItsParent();
    void sceneAndViewTexts();

private:
    QStandardItemModel m_model;
};

namespace {

VexTreeItemContainer *treeContainer(const QString &name, const QList<QPair<QString, bool>> &items,
                                    QStandardItemModel &model)
{
    auto *c = new VexTreeItemContainer;
    c->setObjectName(name);
    for (const auto &entry : items) {
        auto *modelItem = new QStandardItem(entry.first);
        modelItem->setData(4, UnreadCountRole);
        model.appendRow(modelItem);
        auto *item = new VexTreeViewItem;
        item->setFolder(entry.second);
        item->setModelItem(modelItem);
        c->addItem(item);
    }
    return c;
}

} // namespace

void FamilyValues::treeContainerChildZeroNamesTheSelection_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("expected");
    QTest::newRow("selection 3") << 3 << "buddyTree_3";
    QTest::newRow("no selection") << -1 << "buddyTree";
}

void FamilyValues::treeContainerChildZeroNamesTheSelection()
{
    QFETCH(int, selected);
    QFETCH(QString, expected);
    std::unique_ptr<VexTreeItemContainer> c(treeContainer("buddyTree", {{"a", false}, {"b", false}, {"c", false}, {"d", false}}, m_model));
    c->setSelectedIndex(selected);
    QCOMPARE(iface(c.get())->text(Text::Value, 0), expected);
    QCOMPARE(iface(c.get())->text(Text::Name, 2), QStringLiteral("buddyTree_1"));
}

void FamilyValues::treeContainerItemValues_data()
{
    QTest::addColumn<QString>("containerName");
    QTest::addColumn<int>("child");
    QTest::addColumn<QString>("expected");
    // Child 1 is a folder "Friends", child 2 an item "Ann".
    QTest::newRow("channel tree: folder text") << "channelTreeContainer" << 1 << "Friends";
    QTest::newRow("channel tree: items have none") << "channelTreeContainer" << 2 << "";
    QTest::newRow("group list: unread count") << "groupListTreeContainer" << 2 << "Ann$UnReadMsgNum:4";
    QTest::newRow("other tree: text") << "buddyTree" << 2 << "Ann";
    QTest::newRow("child beyond the items") << "buddyTree" << 3 << "";
}

void FamilyValues::treeContainerItemValues()
{
    QFETCH(QString, containerName);
    QFETCH(int, child);
    QFETCH(QString, expected);
    std::unique_ptr<VexTreeItemContainer> c(treeContainer(containerName, {{"Friends", true}, {"Ann", false}}, m_model));
    QCOMPARE(iface(c.get())->text(Text::Value, child), expected);
}

void FamilyValues::treeContainerFolderIsExtSelectable()
{
    std::unique_ptr<VexTreeItemContainer> c(treeContainer("t", {{"Friends", true}, {"Ann", false}}, m_model));
    HostInterfacePtr acc = iface(c.get());
    QVERIFY(acc->state(1) & State::ExtSelectable);
    QVERIFY(!(acc->state(2) & State::ExtSelectable));
    QCOMPARE(acc->childCount(), 2);
    QCOMPARE(acc->role(0), int(Role::Tree));
    QCOMPARE(acc->role(1), int(Role::PushButton));
}

void FamilyValues::hpTreeValues()
{
    VexHPTreeWidget tree;
    tree.setObjectName("channelUsers");
    tree.model()->addFolder("Room");
    tree.model()->addItem("Ann");
    tree.model()->setSelected(1);
    HostInterfacePtr acc = iface(&tree);
    QCOMPARE(acc->childCount(), 2);
    QCOMPARE(acc->text(Text::Value, 0), QStringLiteral("$Select:1"));
    QCOMPARE(acc->text(Text::Value, 1), QStringLiteral("Room"));
    QCOMPARE(acc->text(Text::Value, 2), QStringLiteral("Ann"));
    QCOMPARE(acc->text(Text::Value, 3), QString());
    QCOMPARE(acc->text(Text::Name, 2), QStringLiteral("channelUsers_1"));
    QVERIFY(acc->state(1) & State::ExtSelectable);
    QVERIFY(!(acc->state(2) & State::ExtSelectable));
}

void FamilyValues::hpTreeVipMarkerStopsAtTheEndOfTheList()
{
    KivoChannelUserTreeWidget tree;
    tree.model()->addFolder("Room");
    tree.model()->addItem("Ann");
    tree.model()->addItem("Bob");
    tree.model()->addItem("Cid");
    // Only the first two rows have flags; "Cid" (row 3) lies beyond the list.
    tree.setUserVIPRoles({false, true});
    HostInterfacePtr acc = iface(&tree);
    QCOMPARE(acc->text(Text::Value, 2), QStringLiteral("Ann$VIPRole:VIP"));
    QCOMPARE(acc->text(Text::Value, 3), QStringLiteral("Bob"));
    QCOMPARE(acc->text(Text::Value, 4), QStringLiteral("Cid"));
}

void FamilyValues::hpTreeRowRectFollowsTheScrollBar()
{
    HostFixture host;
    auto *tree = host.add<VexHPTreeWidget>("tree", QRectF(10, 20, 200, 300));
    for (int i = 0; i < 5; ++i)
        tree->model()->addItem(QString::number(i));
    tree->scrollBar()->setSliderPosition(30.5);
    HostInterfacePtr acc = iface(tree);
    const QRect whole = acc->rect(0);
    QCOMPARE(whole.size(), QSize(200, 300));
    const QRect row = acc->rect(3);
    QCOMPARE(row.x(), whole.x());
    QCOMPARE(row.y(), int(whole.y() + 2 * VexHPTreeWidget::RowHeight - 30.5));
    QCOMPARE(row.size(), QSize(200, VexHPTreeWidget::RowHeight));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("does not support subelements"));
    QCOMPARE(acc->rect(-1), QRect());
}

void FamilyValues::listValues()
{
    HostFixture host;
    auto *list = host.add<VexListWidget>("messages", QRectF(10, 10, 200, 200));
    auto *inform = new VexInformItem;
    auto *informModel = new QStandardItem;
    informModel->setData(true, CheckedRole);
    informModel->setData("Muted", CaptionRole);
    m_model.appendRow(informModel);
    inform->setModelItem(informModel);
    list->container()->addItem(inform);
    auto *plain = new VexAbstractViewItem;
    plain->setModelItem(informModel);
    list->container()->addItem(plain);
    list->container()->setSelectedIndex(1);

    HostInterfacePtr acc = iface(list);
    QCOMPARE(acc->childCount(), 2);
    QCOMPARE(acc->text(Text::Value, 0), QStringLiteral("1"));
    QCOMPARE(acc->text(Text::Value, 1), QStringLiteral("$Checked|Muted"));
    QCOMPARE(acc->text(Text::Value, 2), QString());
    QCOMPARE(acc->text(Text::Name, 2), QStringLiteral("messages_1"));
    const QRect r = acc->rect(0);
    QCOMPARE(acc->rect(2), QRect(r.x(), r.y() + 30, int(plain->size().width()), 30));
    QCOMPARE(acc->rect(3), QRect());
}

void FamilyValues::tabAndFrameItemValues()
{
    VexTab tab;
    VexFrameItem *first = tab.addTab("Chat");
    VexFrameItem *second = tab.addTab("Music");
    tab.setCurrentIndex(1);
    QCOMPARE(iface(&tab)->text(Text::Value, 0), QStringLiteral("Music"));
    QCOMPARE(iface(&tab)->childCount(), 2);
    QCOMPARE(iface(first)->text(Text::Value, 0), QStringLiteral("Chat"));
    QCOMPARE(iface(second)->text(Text::Value, 0), QStringLiteral("Music"));
    VexFrameItem loose;
    QCOMPARE(iface(&loose)->text(Text::Value, 0), QString());
}

void FamilyValues::menuActionValues()
{
    QMenu menu;
    menu.setObjectName("mainMenu");
    QAction *mute = menu.addAction("Mute");
    mute->setObjectName("muteAction");
    mute->setCheckable(true);
    mute->setChecked(true);
    QAction *plain = menu.addAction("Record");
    plain->setCheckable(true);
    QAction *hidden = menu.addAction("Hidden");
    hidden->setVisible(false);
    hidden->setEnabled(false);

    HostInterfacePtr acc = iface(&menu);
    QCOMPARE(acc->childCount(), 3);
    QCOMPARE(acc->text(Text::Value, 1), QStringLiteral("$Checked|Mute"));
    QCOMPARE(acc->text(Text::Value, 2), QStringLiteral("Record"));
    QCOMPARE(acc->text(Text::Value, 0), QStringLiteral("mainMenu"));
    QCOMPARE(acc->text(Text::Name, 1), QStringLiteral("muteAction"));
    QCOMPARE(acc->state(3) & (State::Protected | State::Unavailable), quint32(State::Protected | State::Unavailable));
}

void FamilyValues::menuActionRectsAreOnTheScreen()
{
    QMenu menu;
    menu.addAction("Mute");
    menu.addAction("Record");
    menu.popup(QPoint(300, 200));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    HostInterfacePtr acc = iface(&menu);
    const QRect whole = acc->rect(0);
    QVERIFY(whole.contains(acc->rect(1)));
    QVERIFY(whole.contains(acc->rect(2)));
    QCOMPARE(acc->childAt(acc->rect(2).center().x(), acc->rect(2).center().y()), 2);
    QVERIFY(acc->rect(1).top() < acc->rect(2).top());
    QCOMPARE(acc->rect(3), QRect());
}

void FamilyValues::viewItemValues()
{
    auto *modelItem = new QStandardItem;
    modelItem->setData("Home", CaptionRole);
    modelItem->setData(false, CheckedRole);
    m_model.appendRow(modelItem);
    KivoTabItem tabItem;
    tabItem.setModelItem(modelItem);
    VexInformItem inform;
    inform.setModelItem(modelItem);
    VexAbstractViewItem plain;
    plain.setModelItem(modelItem);
    VexInformItem empty;

    QCOMPARE(iface(&tabItem)->text(Text::Value, 0), QStringLiteral("Home"));
    QCOMPARE(iface(&inform)->text(Text::Value, 0), QStringLiteral("$Unchecked|Home"));
    QCOMPARE(iface(&plain)->text(Text::Value, 0), QString());
    QCOMPARE(iface(&empty)->text(Text::Value, 0), QString());
    QCOMPARE(iface(&inform)->text(Text::Value, 1), QString());
}

void FamilyValues::itemContainerNameAndValue()
{
    VexListWidget list;
    list.setObjectName("fans");
    VexAbstractItemContainer *c = list.container();
    c->setSelectedIndex(4);
    HostInterfacePtr acc = iface(c);
    QCOMPARE(acc->text(Text::Name, 0), QStringLiteral("fansContainer"));
    QCOMPARE(acc->text(Text::Value, 0), QStringLiteral("4"));
    VexAbstractItemContainer orphan;
    QCOMPARE(iface(&orphan)->text(Text::Name, 0), QStringLiteral("Container"));
}

void FamilyValues::plainObjectValues()
{
    KivoCanvas canvas;
    canvas.setProperty("elementsStringData", "rect;circle");
    KivoPageItem page;
    page.setProperty("backgroundImageInfo", "bg.png");
    QObject plain;
    QCOMPARE(iface(&canvas)->text(Text::Value, 0), QStringLiteral("rect;circle"));
    QCOMPARE(iface(&page)->text(Text::Value, 0), QStringLiteral("$BackImage:bg.png"));
    QCOMPARE(iface(&plain)->text(Text::Value, 0), QString());
    QCOMPARE(iface(&canvas)->text(Text::Description, 0), QStringLiteral("KivoCanvas"));
    QCOMPARE(iface(&canvas)->text(Text::Value, -1), QString());
}

void FamilyValues::toolWidgetRectIsInsideItsParent()
{
    HostFixture host;
    auto *panel = host.add<VexWidget>("panel", QRectF(100, 50, 300, 200));
    auto *tool = new KivoToolWidget(panel);
    tool->setProperty("geometry", QRect(5, 6, 20, 10));
    const QRect parentRect = iface(panel)->rect(0);
    QCOMPARE(iface(tool)->rect(0), QRect(parentRect.topLeft() + QPoint(5, 6), QSize(20, 10)));
    QObject plain;
    QCOMPARE(iface(&plain)->rect(0), QRect());
}

void FamilyValues::sceneAndViewTexts()
{
    HostFixture host;
    host.window->setWindowTitle("Kivo");
    QCOMPARE(iface(host.scene())->text(Text::Name, 0), QStringLiteral("QGraphicsScene"));
    QCOMPARE(iface(host.window.get())->text(Text::Value, 0), QStringLiteral("Kivo"));
    const QRect sceneRect = iface(host.scene())->rect(0);
    QCOMPARE(sceneRect.size(), QSize(800, 600));
    QCOMPARE(sceneRect.topLeft(), host.window->viewport()->mapToGlobal(QPoint(0, 0)));
}

QTEST_MAIN(FamilyValues)
#include "tst_familyvalues.moc"
