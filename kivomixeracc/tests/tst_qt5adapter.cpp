// What Qt 5 (and so AT-SPI) sees through the adapter: the tree, sub-element
// identity, state translation, actions, and value writes that arrive as
// commands.
#include "eventrecorder.h"
#include "hostfixture.h"
#include "kivomixeracc.h"
#include "qt5adapter.h"
#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <kivowidgets.h>

using namespace kivoacc;

Q_DECLARE_METATYPE(QAccessible::State)

class Qt5Adapter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initKivoAT(); }
    void stateTranslation_data();
    void stateTranslation();
    void treeFromApplicationToGraphicsWidgets();
    void subElementsKeepTheirIdentity();
    void subElementsAreDeletedWithTheirOwner();
    void valueWritesAreCommands();
    void pressRunsTheDefaultAction();
};

void Qt5Adapter::stateTranslation_data()
{
    QTest::addColumn<quint32>("bridge");
    QTest::addColumn<QString>("field");
    QTest::newRow("unavailable") << quint32(State::Unavailable) << "disabled";
    QTest::newRow("focused") << quint32(State::Focused) << "focused";
    QTest::newRow("read only") << quint32(State::ReadOnly) << "readOnly";
    QTest::newRow("invisible") << quint32(State::Invisible) << "invisible";
    QTest::newRow("sizeable") << quint32(State::Sizeable) << "sizeable";
    QTest::newRow("movable") << quint32(State::Movable) << "movable";
    QTest::newRow("focusable") << quint32(State::Focusable) << "focusable";
    QTest::newRow("ext selectable") << quint32(State::ExtSelectable) << "extSelectable";
    QTest::newRow("protected") << quint32(State::Protected) << "passwordEdit";
}

void Qt5Adapter::stateTranslation()
{
    QFETCH(quint32, bridge);
    QFETCH(QString, field);
    const QAccessible::State s = AccessibleAdapter::toQtState(bridge);
    const QMap<QString, bool> fields = {
        {"disabled", s.disabled}, {"focused", s.focused}, {"readOnly", s.readOnly},
        {"invisible", s.invisible}, {"sizeable", s.sizeable}, {"movable", s.movable},
        {"focusable", s.focusable}, {"extSelectable", s.extSelectable}, {"passwordEdit", s.passwordEdit},
    };
    for (auto it = fields.begin(); it != fields.end(); ++it)
        QCOMPARE(it.value(), it.key() == field);
    QVERIFY(AccessibleAdapter::toQtState(0) == QAccessible::State());
}

void Qt5Adapter::treeFromApplicationToGraphicsWidgets()
{
    HostFixture host;
    auto *panel = host.add<VexWidget>("panel", QRectF(0, 0, 300, 300));
    auto *button = host.add<VexPushButton>("okButton", QRectF(10, 10, 80, 30), panel);
    button->setText("OK");

    QAccessibleInterface *app = QAccessible::queryAccessibleInterface(qApp);
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(host.window.get());
    QVERIFY(app->indexOfChild(window) >= 0);
    QCOMPARE(window->parent(), app);

    QAccessibleInterface *scene = QAccessible::queryAccessibleInterface(host.scene());
    QVERIFY(window->indexOfChild(scene) >= 0);
    QCOMPARE(scene->parent(), window);
    QAccessibleInterface *panelAcc = scene->child(scene->indexOfChild(QAccessible::queryAccessibleInterface(panel)));
    QCOMPARE(panelAcc->object(), panel);
    QAccessibleInterface *buttonAcc = panelAcc->child(0);
    QCOMPARE(buttonAcc->object(), button);
    QCOMPARE(buttonAcc->parent(), panelAcc);
    QCOMPARE(buttonAcc->role(), QAccessible::PushButton);
    QCOMPARE(buttonAcc->text(QAccessible::Name), QStringLiteral("okButton"));
    QCOMPARE(buttonAcc->text(QAccessible::Value), QStringLiteral("$Unchecked|OK"));
    QCOMPARE(buttonAcc->rect(), iface(button)->rect(0));
    QCOMPARE(buttonAcc->textInterface()->text(0, -1), QStringLiteral("$Unchecked|OK"));
    QCOMPARE(buttonAcc->valueInterface()->currentValue().toString(), QStringLiteral("$Unchecked|OK"));
    QCOMPARE(buttonAcc->window(), host.window->windowHandle());
    QCOMPARE(panelAcc->childAt(buttonAcc->rect().center().x(), buttonAcc->rect().center().y()), buttonAcc);
    QVERIFY(!panelAcc->child(1));
}

void Qt5Adapter::subElementsKeepTheirIdentity()
{
    auto *tree = new VexHPTreeWidget;
    tree->setObjectName("users");
    tree->model()->addFolder("Room");
    tree->model()->addItem("Ann");
    QAccessibleInterface *acc = QAccessible::queryAccessibleInterface(tree);
    QCOMPARE(acc->childCount(), 2);
    QAccessibleInterface *row = acc->child(1);
    QVERIFY(row);
    QCOMPARE(acc->child(1), row);
    QVERIFY(!row->object());
    QCOMPARE(row->parent(), acc);
    QCOMPARE(acc->indexOfChild(row), 1);
    QCOMPARE(row->text(QAccessible::Name), QStringLiteral("users_1"));
    QCOMPARE(row->text(QAccessible::Value), QStringLiteral("Ann"));
    QCOMPARE(row->role(), QAccessible::PushButton);
    QVERIFY(acc->child(0)->state().extSelectable);
    QVERIFY(!row->state().extSelectable);
    QCOMPARE(row->childCount(), 0);
    // A row that is collapsed away is no longer valid.
    tree->collapseAllFolders();
    QVERIFY(!row->isValid());
    delete tree;
}

void Qt5Adapter::subElementsAreDeletedWithTheirOwner()
{
    auto *menu = new QMenu;
    menu->addAction("One");
    QAccessibleInterface *acc = QAccessible::queryAccessibleInterface(menu);
    QAccessibleInterface *action = acc->child(0);
    const QAccessible::Id id = QAccessible::uniqueId(action);
    QCOMPARE(QAccessible::accessibleInterface(id), action);
    delete menu;
    QVERIFY(!QAccessible::accessibleInterface(id));
}

void Qt5Adapter::valueWritesAreCommands()
{
    VexTab tab;
    for (int i = 0; i < 5; ++i)
        tab.addTab(QString::number(i));
    QAccessibleInterface *acc = QAccessible::queryAccessibleInterface(&tab);
    // What AT-SPI's SetTextContents does: replace the whole text.
    acc->editableTextInterface()->replaceText(0, acc->textInterface()->characterCount(), "3");
    QCOMPARE(tab.currentIndex(), 3);
    acc->valueInterface()->setCurrentValue(2);
    QCOMPARE(tab.currentIndex(), 2);
    acc->setText(QAccessible::Value, "4");
    QCOMPARE(tab.currentIndex(), 4);
    // A partial edit writes the edited whole: "4" with "1" inserted before it.
    acc->editableTextInterface()->insertText(0, "1");
    QCOMPARE(tab.currentIndex(), 4); // "14" is beyond the tabs

    VexScrollBar bar;
    bar.setRange(0, 200);
    QAccessible::queryAccessibleInterface(&bar)->editableTextInterface()->replaceText(0, -1, "$SetScrollPos:51");
    QCOMPARE(bar.sliderPosition(), 100.0);
}

void Qt5Adapter::pressRunsTheDefaultAction()
{
    HostFixture host;
    auto *button = host.add<VexPushButton>("button", QRectF(10, 10, 80, 30));
    QSignalSpy clicked(button, &VexPushButton::clicked);
    QAccessibleInterface *acc = QAccessible::queryAccessibleInterface(button);
    QVERIFY(acc->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    acc->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(clicked.count(), 1);
}

QTEST_MAIN(Qt5Adapter)
#include "tst_qt5adapter.moc"
