// Commands written as value texts, and default actions: what reaches the
// host widgets (directly, or later through the simulator and posted calls).
#include "eventrecorder.h"
#include "hostfixture.h"
#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTextEdit>
#include <QTreeView>
#include <kivowidgets.h>
#include <vextreeview.h>

using namespace kivoacc;

namespace {

const QSet<QEvent::Type> kWidgetMouse = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                         QEvent::MouseButtonDblClick, QEvent::ContextMenu};
const QSet<QEvent::Type> kSceneMouse = {QEvent::GraphicsSceneMousePress, QEvent::GraphicsSceneMouseRelease,
                                        QEvent::GraphicsSceneMouseDoubleClick};

void write(QObject *object, const QString &text, int child = 0)
{
    iface(object)->setText(Text::Value, child, text);
}

// Long enough for anything the simulator would post to arrive.
void settle()
{
    QTest::qWait(400);
}

VexTreeView *tableTree(HostFixture &host)
{
    auto *tree = host.add<VexTreeView>("table", QRectF(0, 0, 400, 200));
    for (int row = 0; row < 100; ++row)
        tree->model()->appendRow({new QStandardItem(QStringLiteral("r%1").arg(row)), new QStandardItem(QStringLiteral("c%1").arg(row))});
    return tree;
}

VexTreeItemContainer *treeContainer(VexWidget *parent, const QString &name, int items, int folderEvery = 0)
{
    auto *c = new VexTreeItemContainer(parent);
    c->setObjectName(name);
    c->resize(200, 24.0 * items);
    for (int i = 0; i < items; ++i) {
        auto *item = new VexTreeViewItem;
        item->setFolder(folderEvery > 0 && i % folderEvery == 0);
        c->addItem(item);
    }
    return c;
}

// A native control takes the mouse itself (nothing reaches the view).
class NativeControl : public QWidget
{
public:
    using QWidget::QWidget;
protected:
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override { event->accept(); }
    void contextMenuEvent(QContextMenuEvent *event) override { event->accept(); }
};

} // namespace

class Commands : public QObject
{
    Q_OBJECT
private slots:
    void treeViewLeftClick_data();
    void treeViewLeftClick();
    void treeViewDoubleAndRightClick();
    void doubleClickWithRowOnOtherWidgetsDoesNothing();
    void setScrollPos_data();
    void setScrollPos();
    void setScrollPosOnTreeViewAndTextEdit();
    void treeContainerScroll_data();
    void treeContainerScroll();
    void treeContainerFolders();
    void treeContainerItemClicks_data();
    void treeContainerItemClicks();
    void hpTreeCommands();
    void comboBoxValues_data();
    void comboBoxValues();
    void tabSelection_data();
    void tabSelection();
    void menuEscapeAndActionClick();
    void links();
    void valuesEnteredIntoEdits();
    void lineEditNotifications_data();
    void lineEditNotifications();
    void gridWidget();
    void rightClickOnLineEditClicksNativeChildAndScene();
    void keyInputFocusesThenTypes();
    void clicksAndDefaultActions();
};

void Commands::treeViewLeftClick_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("child");
    QTest::addColumn<int>("row");    // -1: no click at all
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("modifiers");
    QTest::newRow(":3") << "$Left-Click:3" << 0 << 3 << 0 << int(Qt::NoModifier);
    QTest::newRow(":3:1:3 holds Alt and Control") << "$Left-Click:3:1:3" << 0 << 3 << 1 << int(Qt::AltModifier | Qt::ControlModifier);
    QTest::newRow("modifier code 4 is Shift") << "$Left-Click:2:0:4" << 0 << 2 << 0 << int(Qt::ShiftModifier);
    QTest::newRow(":x on child 2 clicks row 1") << "$Left-Click:x" << 2 << 1 << 0 << int(Qt::NoModifier);
    QTest::newRow(":x on child 0 does nothing") << "$Left-Click:x" << 0 << -1 << 0 << 0;
    QTest::newRow("row beyond the model") << "$Left-Click:100" << 0 << -1 << 0 << 0;
    QTest::newRow("column beyond the model") << "$Left-Click:1:2:0" << 0 << -1 << 0 << 0;
}

void Commands::treeViewLeftClick()
{
    QFETCH(QString, text);
    QFETCH(int, child);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, modifiers);
    HostFixture host;
    VexTreeView *tree = tableTree(host);
    QWidget *viewport = tree->realTreeView()->viewport();
    EventRecorder rec(viewport, kWidgetMouse);
    // Where the cell is now; the click may scroll the view afterwards.
    const QPoint expected = tree->realTreeView()->visualRect(tree->model()->index(row, column)).center();
    write(tree, text, child);
    if (row < 0) {
        settle();
        QVERIFY(rec.events.isEmpty());
        return;
    }
    QTRY_COMPARE(rec.events.size(), 2);
    QCOMPARE(rec.types(), (QVector<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseButtonRelease}));
    QCOMPARE(rec.events[0].pos.toPoint(), expected);
    QCOMPARE(rec.events[0].button, Qt::LeftButton);
    QCOMPARE(int(rec.events[0].modifiers), modifiers);
    QCOMPARE(tree->realTreeView()->currentIndex(), tree->model()->index(row, column));
}

void Commands::treeViewDoubleAndRightClick()
{
    HostFixture host;
    VexTreeView *tree = tableTree(host);
    QTreeView *real = tree->realTreeView();
    EventRecorder rec(real->viewport(), kWidgetMouse);
    const QPoint row2 = real->visualRect(tree->model()->index(2, 1)).center();
    write(tree, "$Double-Click:2");
    QTRY_COMPARE(rec.events.size(), 4);
    QCOMPARE(rec.events[2].type, QEvent::MouseButtonDblClick);
    QCOMPARE(rec.events[2].pos.toPoint(), row2);

    rec.events.clear();
    const QPoint row4 = real->visualRect(tree->model()->index(4, 1)).center();
    write(tree, "$Right-Click:4");
    QTRY_COMPARE(rec.events.size(), 3);
    QCOMPARE(rec.events[2].type, QEvent::ContextMenu);
    QCOMPARE(rec.events[0].button, Qt::RightButton);
    QCOMPARE(rec.events[0].pos.toPoint(), row4);

    // A hidden tree view takes no row commands.
    rec.events.clear();
    tree->hide();
    write(tree, "$Double-Click:2");
    settle();
    QVERIFY(rec.events.isEmpty());
}

void Commands::doubleClickWithRowOnOtherWidgetsDoesNothing()
{
    HostFixture host;
    auto *button = host.add<VexPushButton>("button", QRectF(10, 10, 80, 30));
    EventRecorder rec(host.scene(), kSceneMouse);
    write(button, "$Double-Click:2");
    settle();
    QVERIFY(rec.events.isEmpty());
    write(button, "$Double-Click");
    QTRY_COMPARE(rec.events.size(), 4);
    QCOMPARE(rec.events[2].type, QEvent::GraphicsSceneMouseDoubleClick);
}

void Commands::setScrollPos_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("barPosition");
    QTest::addColumn<int>("areaPosition");
    QTest::newRow("51") << "$SetScrollPos:51" << 100.0 << 50;
    QTest::newRow("1 is the start") << "$SetScrollPos:1" << 0.0 << 0;
    QTest::newRow("unreadable number counts as 0") << "$SetScrollPos:top" << 0.0 << -1;
}

void Commands::setScrollPos()
{
    QFETCH(QString, text);
    QFETCH(double, barPosition);
    QFETCH(int, areaPosition);
    VexScrollBar bar;
    bar.setRange(0, 200);
    bar.setSliderPosition(30);
    VexScrollArea area;
    write(&bar, text);
    write(&area, text);
    QCOMPARE(bar.sliderPosition(), barPosition);
    QCOMPARE(area.scrollPos(), areaPosition);
}

void Commands::setScrollPosOnTreeViewAndTextEdit()
{
    HostFixture host;
    VexTreeView *tree = tableTree(host);
    QTreeView *real = tree->realTreeView();
    const QModelIndex row50 = tree->model()->index(50, 1);
    QVERIFY(!real->viewport()->rect().intersects(real->visualRect(row50)));
    write(tree, "$SetScrollPos:51");
    QVERIFY(real->viewport()->rect().contains(real->visualRect(row50).center()));

    auto *edit = host.add<VexTextEdit>("log", QRectF(0, 250, 200, 80));
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QString::number(i);
    edit->setText(lines.join('\n'));
    QScrollBar *bar = edit->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    write(edit, "$SetScrollPos:51");
    QCOMPARE(bar->sliderPosition(), int((bar->maximum() - bar->minimum()) * 50 / 100.0));
}

void Commands::treeContainerScroll_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("excess");   // container height minus tree widget height
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("expected"); // -1: the tree widget is not scrolled
    QTest::newRow("30 items, 20") << 30 << 500 << 20 << 360;
    QTest::newRow("entry below 5 scrolls to the top") << 30 << 500 << 2 << 0;
    QTest::newRow("entry near the end scrolls to the end") << 30 << 500 << 28 << 600;
    QTest::newRow("exactly five items: no scroll") << 5 << 500 << 20 << -1;
    QTest::newRow("container no taller than the tree widget") << 30 << 0 << 20 << -1;
}

void Commands::treeContainerScroll()
{
    QFETCH(int, items);
    QFETCH(int, excess);
    QFETCH(int, entry);
    QFETCH(int, expected);
    VexTreeWidget treeWidget;
    VexTreeItemContainer *c = treeContainer(&treeWidget, "channelTreeContainer", items);
    treeWidget.resize(200, 100);
    c->resize(200, 100 + excess);
    QCOMPARE(c->height() - treeWidget.height(), excess);
    write(c, QStringLiteral("$SetScrollPos:%1").arg(entry));
    if (expected < 0)
        QVERIFY(treeWidget.received().isEmpty());
    else
        QCOMPARE(treeWidget.received(), QStringList{QStringLiteral("setScrollPos(%1)").arg(expected)});
}

void Commands::treeContainerFolders()
{
    VexTreeWidget treeWidget;
    VexTreeItemContainer *c = treeContainer(&treeWidget, "groups", 6, 3); // folders at 0 and 3
    c->treeItemAt(3)->setExpanded(true);
    write(c, "$ExpandAll");
    // Only the closed folder is clicked.
    QCOMPARE(c->received(), QStringList{"on_treeItem_clicked(0,156)"});
    QVERIFY(c->treeItemAt(0)->isExpanded() && c->treeItemAt(3)->isExpanded());
    c->clearReceived();
    write(c, "$CollapseAll");
    QCOMPARE(c->received(), (QStringList{"on_treeItem_clicked(0,156)", "on_treeItem_clicked(3,156)"}));
    c->clearReceived();
    QVERIFY(iface(c)->doAction(Action::DefaultAction, 0));
    QVERIFY(c->treeItemAt(0)->isExpanded() && c->treeItemAt(3)->isExpanded());
}

void Commands::treeContainerItemClicks_data()
{
    QTest::addColumn<QString>("containerName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("itemPoint");
    QTest::addColumn<QStringList>("received");
    QTest::newRow("double click at the centre") << "groups" << "$Double-Click" << QPointF(100, 12)
                                                << QStringList{"press:1", "release:1", "dblclick:1", "release:1"};
    QTest::newRow("right click at the centre") << "groups" << "$Right-Click" << QPointF(100, 12)
                                               << QStringList{"press:2", "release:2"};
    QTest::newRow("buddy list clicks beside the picture") << "kivoImBuddyTreeContainer" << "$Right-Click"
                                                          << QPointF(5, 12) << QStringList{"press:2", "release:2"};
}

void Commands::treeContainerItemClicks()
{
    QFETCH(QString, containerName);
    QFETCH(QString, text);
    QFETCH(QPointF, itemPoint);
    QFETCH(QStringList, received);
    HostFixture host;
    auto *treeWidget = host.add<VexTreeWidget>("treeWidget", QRectF(20, 20, 200, 100));
    VexTreeItemContainer *c = treeContainer(treeWidget, containerName, 3);
    EventRecorder rec(host.scene(), kSceneMouse);
    write(c, text, 2);
    VexTreeViewItem *item = c->treeItemAt(1);
    QTRY_COMPARE(item->received(), received);
    QCOMPARE(rec.events[0].pos, item->mapToScene(itemPoint));
}

void Commands::hpTreeCommands()
{
    HostFixture host;
    auto *tree = host.add<VexHPTreeWidget>("users", QRectF(10, 10, 200, 300));
    tree->model()->addFolder("Room");
    tree->model()->addItem("Ann");
    tree->model()->addItem("Bob");
    write(tree, "$CollapseAll");
    QCOMPARE(iface(tree)->childCount(), 1);
    write(tree, "$ExpandAll");
    QCOMPARE(iface(tree)->childCount(), 3);

    write(tree, "$SetScrollPos:3");
    QCOMPARE(tree->scrollBar()->sliderPosition(), 3.0 * VexHPTreeWidget::RowHeight);

    tree->scrollBar()->setSliderPosition(10);
    EventRecorder rec(host.scene(), kSceneMouse);
    write(tree, "$Double-Click", 2);
    QTRY_COMPARE(rec.events.size(), 4);
    const QPointF centre = tree->rowRect(1).center();
    QCOMPARE(rec.events[0].pos, tree->mapToScene(QPointF(int(centre.x()), int(centre.y() - 10))));

    // The default action clicks the row without the scroll offset.
    rec.events.clear();
    QVERIFY(iface(tree)->doAction(Action::DefaultAction, 2));
    QTRY_COMPARE(rec.events.size(), 2);
    QCOMPARE(rec.events[0].pos, tree->mapToScene(QPointF(int(centre.x()), int(centre.y()))));
    write(tree, "$CollapseAll");
    QVERIFY(iface(tree)->doAction(Action::DefaultAction, 0));
    QCOMPARE(iface(tree)->childCount(), 3);
}

void Commands::comboBoxValues_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("editText");
    QTest::addColumn<QStringList>("comboCalls");
    QTest::addColumn<QStringList>("loginCalls");
    QTest::newRow("Select:2") << "anyCombo" << "Select:2" << 2 << "c" << QStringList{"onDropDownListClicked(2)"} << QStringList{};
    QTest::newRow("$Select:2 is ignored by an unnamed combo box") << "anyCombo" << "$Select:2" << -1 << "" << QStringList{} << QStringList{};
    QTest::newRow("user name goes to the login widget") << "userNameComboBox" << "ann" << -1 << "ann" << QStringList{}
                                                        << QStringList{"onUserNameLineEditTextChanged(ann)"};
    QTest::newRow("$Select:2 is a user name there") << "userNameComboBox" << "$Select:2" << -1 << "$Select:2" << QStringList{}
                                                    << QStringList{"onUserNameLineEditTextChanged($Select:2)"};
    QTest::newRow("nick name") << "nickNamesComb" << "Tom" << -1 << "Tom" << QStringList{"onEditTextChanged(Tom)"} << QStringList{};
}

void Commands::comboBoxValues()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QString, editText);
    QFETCH(QStringList, comboCalls);
    QFETCH(QStringList, loginCalls);
    KivoLoginWidget login;
    login.setObjectName("loginWidget");
    auto *combo = new VexComboBox(&login);
    combo->setObjectName(name);
    combo->setLineEdit(new VexLineEdit(combo));
    for (const char *row : {"a", "b", "c"})
        combo->model()->appendRow(new QStandardItem(row));
    write(combo, text);
    QCOMPARE(combo->currentIndex(), index);
    QCOMPARE(combo->lineEdit()->text(), editText);
    QCOMPARE(combo->received(), comboCalls);
    QCOMPARE(login.received(), loginCalls);
}

void Commands::tabSelection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("3 selects the fourth tab") << "3" << 3;
    QTest::newRow("7 is beyond five tabs") << "7" << 1;
    QTest::newRow("5 is just beyond") << "5" << 1;
    QTest::newRow("negative") << "-1" << 1;
    QTest::newRow("leading number") << "4th" << 4;
    QTest::newRow("commands mean 0") << "$Left-Click" << 0;
}

void Commands::tabSelection()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    VexTab tab;
    for (int i = 0; i < 5; ++i)
        tab.addTab(QString::number(i));
    tab.setCurrentIndex(1);
    write(&tab, text);
    QCOMPARE(tab.currentIndex(), expected);
}

void Commands::menuEscapeAndActionClick()
{
    VexMenu menu;
    QAction *action = menu.addAction("Mute");
    menu.addAction("Record");
    EventRecorder rec(&menu, {QEvent::KeyPress, QEvent::KeyRelease});
    write(&menu, "ESC");
    write(&menu, "$ESC", 1);
    QTRY_COMPARE(rec.events.size(), 2);
    QCOMPARE(rec.events[0].type, QEvent::KeyPress);
    QCOMPARE(rec.events[1].type, QEvent::KeyRelease);
    QCOMPARE(rec.events[0].key, int(Qt::Key_Escape));
    QCOMPARE(rec.events[1].key, int(Qt::Key_Escape));

    menu.popup(QPoint(100, 100));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QSignalSpy triggered(action, &QAction::triggered);
    QVERIFY(iface(&menu)->doAction(Action::DefaultAction, 1));
    QTRY_COMPARE(triggered.count(), 1);
    QVERIFY(!iface(&menu)->doAction(Action::DefaultAction, 3));
    QVERIFY(!iface(&menu)->doAction(Action::DefaultAction, 0));
}

void Commands::links()
{
    KivoChatTextEdit chat;
    chat.setText("unchanged");
    write(&chat, "$Link:12-34");
    QVERIFY(chat.received().isEmpty()); // posted, not called at once
    QTRY_COMPARE(chat.received(), QStringList{"linkClicked(12,34)"});
    write(&chat, "$Link:12-34-56");
    write(&chat, "$Link:1234");
    QTest::qWait(50);
    QCOMPARE(chat.received().size(), 1);
    QCOMPARE(chat.toText(), QStringLiteral("unchanged"));

    VexTextEdit plain; // no linkClicked method: nothing, and no text change
    plain.setText("keep");
    write(&plain, "$Link:12-34");
    QCOMPARE(plain.toText(), QStringLiteral("keep"));
    write(&plain, "new text");
    QCOMPARE(plain.toText(), QStringLiteral("new text"));

    VexHtmlItemWidget html;
    QSignalSpy activated(&html, &VexHtmlItemWidget::linkActivated);
    write(&html, "$Link:http://a/b");
    QCOMPARE(activated.count(), 0);
    QTRY_COMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toString(), QStringLiteral("http://a/b"));
}

void Commands::valuesEnteredIntoEdits()
{
    VexEditLabel label;
    write(&label, "New title");
    QCOMPARE(label.text(), QStringLiteral("New title"));
    QCOMPARE(label.received(), (QStringList{"submit", "on_frameWindow_captionAreaClicked"}));

    KivoLoginWidget login;
    login.setObjectName("loginWidget");
    auto *password = new VexNativeLineEdit(&login);
    password->setObjectName("passwordLineEdit");
    write(password, "s3cret");
    QCOMPARE(password->realText(), QStringLiteral("s3cret"));
    QCOMPARE(login.received(), QStringList{"on_passwordLineEdit_textEdited(s3cret)"});
    QCOMPARE(iface(password)->text(Text::Value, 0), QStringLiteral("*****"));

    VexNativeLineEdit native;
    write(&native, "plain");
    QCOMPARE(native.text(), QStringLiteral("plain"));
    QCOMPARE(native.realText(), QString());

    // Without its login widget the password still lands; the call is skipped.
    VexNativeLineEdit orphan;
    orphan.setObjectName("passwordLineEdit");
    write(&orphan, "x");
    QCOMPARE(orphan.realText(), QStringLiteral("x"));
}

void Commands::lineEditNotifications_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("signal");
    QTest::addColumn<bool>("later");
    QTest::newRow("editpages") << "editpages" << "returnPressed" << false;
    QTest::newRow("search") << "searchInputLineEdit" << "textChanged" << false;
    QTest::newRow("channel name") << "channelNameEdit" << "textEdited" << false;
    QTest::newRow("card prefix") << "channelCardPrefix" << "textEdited" << false;
    QTest::newRow("class name, posted") << "addClassNameEdit" << "textEdited" << true;
    QTest::newRow("other edit") << "notes" << "" << false;
}

void Commands::lineEditNotifications()
{
    QFETCH(QString, name);
    QFETCH(QString, signal);
    QFETCH(bool, later);
    VexLineEdit edit;
    edit.setObjectName(name);
    QSignalSpy returnPressed(&edit, &VexLineEdit::returnPressed);
    QSignalSpy textChanged(&edit, &VexLineEdit::textChanged);
    QSignalSpy textEdited(&edit, &VexLineEdit::textEdited);
    write(&edit, "42");
    QCOMPARE(edit.text(), QStringLiteral("42"));
    QSignalSpy *expected = signal == "returnPressed" ? &returnPressed
                         : signal == "textChanged"   ? &textChanged
                         : signal == "textEdited"    ? &textEdited : nullptr;
    if (later) {
        QCOMPARE(expected->count(), 0);
        QTRY_COMPARE(expected->count(), 1);
    }
    QTest::qWait(20);
    for (QSignalSpy *spy : {&returnPressed, &textChanged, &textEdited})
        QCOMPARE(spy->count(), spy == expected ? 1 : 0);
    if (expected && expected != &returnPressed)
        QCOMPARE(expected->at(0).at(0).toString(), QStringLiteral("42"));
}

void Commands::gridWidget()
{
    VexGridWidget grid;
    write(&grid, "5");
    QCOMPARE(grid.received(), QStringList{"itemClicked(5)"});
    write(&grid, "$Right-Click:4");
    QCOMPARE(grid.received().size(), 1);
    QTRY_COMPARE(grid.received().size(), 2);
    QCOMPARE(grid.received().last(), QStringLiteral("contextMenu(4)"));
}

void Commands::rightClickOnLineEditClicksNativeChildAndScene()
{
    HostFixture host;
    auto *edit = host.add<VexLineEdit>("edit", QRectF(100, 100, 120, 24));
    // The framework's native control for the edit, lying under it.
    auto *native = new NativeControl(host.window->viewport());
    native->setGeometry(100, 100, 120, 24);
    native->show();
    EventRecorder nativeRec(native, kWidgetMouse);
    EventRecorder sceneRec(host.scene(), kSceneMouse);
    write(edit, "$Right-Click");
    QTRY_COMPARE(nativeRec.events.size(), 3);
    QTRY_COMPARE(sceneRec.events.size(), 2);
    QCOMPARE(nativeRec.events[2].type, QEvent::ContextMenu);
    QCOMPARE(nativeRec.events[0].button, Qt::RightButton);
    QCOMPARE(nativeRec.events[0].pos.toPoint(), QPoint(60, 12));
    QCOMPARE(sceneRec.events[0].button, Qt::RightButton);

    // A plain widget gets the scene click only.
    auto *plain = host.add<VexWidget>("plain", QRectF(300, 300, 20, 20));
    nativeRec.events.clear();
    write(plain, "$Right-Click");
    QTRY_COMPARE(plain->received(), (QStringList{"press:2", "release:2"}));
    QVERIFY(nativeRec.events.isEmpty());

    // A tab item is clicked through the native control only.
    auto *tabItem = host.add<VexTabItem>("tabItem", QRectF(100, 100, 120, 24));
    sceneRec.events.clear();
    write(tabItem, "$Right-Click");
    QTRY_COMPARE(nativeRec.events.size(), 3);
    settle();
    QVERIFY(sceneRec.events.isEmpty());
}

void Commands::keyInputFocusesThenTypes()
{
    HostFixture host;
    QVERIFY(QTest::qWaitForWindowActive(host.window.get()));
    auto *other = host.add<VexLineEdit>("other", QRectF(0, 0, 100, 20));
    auto *edit = host.add<VexLineEdit>("edit", QRectF(0, 40, 100, 20));
    other->setFocus(true);
    write(edit, "$Key-Inputhi\\04");
    QVERIFY(edit->hasFocus());
    QTRY_COMPARE(edit->text(), QStringLiteral("hi"));
    QVERIFY(other->text().isEmpty());

    // A combo box hands the focus to its line edit.
    auto *combo = host.add<VexComboBox>("combo", QRectF(0, 80, 100, 20));
    auto *comboEdit = new VexLineEdit(combo);
    combo->setLineEdit(comboEdit);
    write(combo, "$Set-Focus");
    QVERIFY(comboEdit->hasFocus());
}

void Commands::clicksAndDefaultActions()
{
    HostFixture host;
    auto *button = host.add<VexPushButton>("button", QRectF(10, 10, 80, 30));
    QSignalSpy clicked(button, &VexPushButton::clicked);
    write(button, "$Left-Click");
    QTRY_COMPARE(clicked.count(), 1);
    QVERIFY(iface(button)->doAction(Action::DefaultAction, 0));
    QTRY_COMPARE(clicked.count(), 2);

    EventRecorder rec(host.scene(), kSceneMouse);
    auto *label = host.add<VexLabelWidget>("label", QRectF(200, 200, 60, 20));
    QVERIFY(iface(label)->doAction(Action::DefaultAction, 0));
    QTRY_COMPARE(rec.events.size(), 2);
    QCOMPARE(rec.events[0].pos, QPointF(201, 210));

    rec.events.clear();
    write(label, "$MouseClick:5:6:1:0");
    QTRY_COMPARE(rec.events.size(), 4);
    QCOMPARE(rec.events[2].type, QEvent::GraphicsSceneMouseDoubleClick);
    QCOMPARE(rec.events[0].pos, QPointF(205, 206));
    rec.events.clear();
    write(label, "$MouseClick:5:6");
    settle();
    QVERIFY(rec.events.isEmpty());

    QVERIFY(iface(host.scene())->doAction(Action::DefaultAction, 0));
    QVERIFY(iface(host.window.get())->doAction(Action::SetFocus, 0));
    QVERIFY(!iface(button)->doAction(7, 0));
}

QTEST_MAIN(Commands)
#include "tst_commands.moc"
