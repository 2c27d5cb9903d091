// States, navigation and relations shared by the accessible classes.
#include "hostfixture.h"
#include "windowvisibility.h"
#include <QApplication>
#include <kivowidgets.h>

using namespace kivoacc;

class Navigation : public QObject
{
    Q_OBJECT
private slots:
    void graphicsWidgetStates_data();
    void graphicsWidgetStates();
    void hiddenWidgetIsInvisible();
    void frameWindowAsksTheNativeWindow();
    void directionSkipsHiddenWidgetsButNotHiddenGraphicsWidgets();
    void directionPicksTheNearestSibling_data();
    void directionPicksTheNearestSibling();
    void coversAndCovered();
    void relations_data();
    void relations();
    void selfChildAncestorAndSibling();
    void topLevelAncestorIsTheApplication();
    void itemContainerChildrenReportTheContainerAsParent();
    void focusChildOfAWidget();
};

void Navigation::graphicsWidgetStates_data()
{
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("shown") << true << true << false << quint32(State::Normal);
    QTest::newRow("hidden is protected, not invisible") << false << true << false << quint32(State::Protected);
    QTest::newRow("disabled") << true << false << false << quint32(State::Unavailable);
    QTest::newRow("read-only edit") << true << true << true << quint32(State::ReadOnly);
}

void Navigation::graphicsWidgetStates()
{
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    QFETCH(bool, readOnly);
    QFETCH(quint32, expected);
    VexLineEdit edit;
    edit.setVisible(visible);
    edit.setEnabled(enabled);
    edit.setReadOnly(readOnly);
    QCOMPARE(iface(&edit)->state(0), expected);
}

void Navigation::hiddenWidgetIsInvisible()
{
    QWidget top;
    auto *child = new QWidget(&top);
    top.show();
    QVERIFY(!(iface(child)->state(0) & State::Invisible));
    child->hide();
    QVERIFY(iface(child)->state(0) & State::Invisible);
    QCOMPARE(iface(child)->rect(0), QRect());
}

void Navigation::frameWindowAsksTheNativeWindow()
{
    HostFixture host;
    QCOMPARE(iface(host.window.get())->state(0), quint32(State::Normal));
    setNativeVisibilityTest([](const QWidget *) { return false; });
    const quint32 state = iface(host.window.get())->state(0);
    setNativeVisibilityTest(nullptr);
    QCOMPARE(state, quint32(State::Protected));
}

void Navigation::directionSkipsHiddenWidgetsButNotHiddenGraphicsWidgets()
{
    // Widgets: the only sibling above is hidden, so Up finds nothing.
    QWidget parent;
    parent.resize(400, 400);
    auto *origin = new QWidget(&parent);
    origin->setGeometry(100, 200, 50, 50);
    auto *above = new QWidget(&parent);
    above->setGeometry(100, 50, 50, 50);
    parent.show();
    above->hide();
    HostInterfacePtr target;
    QCOMPARE(iface(origin)->navigate(Relation::Up, 1, &target), NavigationFailed);
    QVERIFY(!target);
    above->show();
    QCOMPARE(iface(origin)->navigate(Relation::Up, 1, &target), NavigatedToInterface);
    QCOMPARE(target->object(), above);

    // Graphics widgets: a hidden one is only Protected, so Up still finds it.
    HostFixture host;
    auto *panel = host.add<VexWidget>("panel", QRectF(0, 0, 400, 400));
    auto *gOrigin = host.add<VexWidget>("origin", QRectF(100, 200, 50, 50), panel);
    auto *gAbove = host.add<VexWidget>("above", QRectF(100, 50, 50, 50), panel);
    gAbove->hide();
    QCOMPARE(iface(gOrigin)->navigate(Relation::Up, 1, &target), NavigatedToInterface);
    QCOMPARE(target->object(), gAbove);
}

void Navigation::directionPicksTheNearestSibling_data()
{
    QTest::addColumn<quint32>("relation");
    QTest::addColumn<QString>("expected");
    // Origin at (200,200) 50x50; near and far siblings in each direction.
    QTest::newRow("up") << quint32(Relation::Up) << "upNear";
    QTest::newRow("down") << quint32(Relation::Down) << "downNear";
    QTest::newRow("left") << quint32(Relation::Left) << "leftNear";
    QTest::newRow("right") << quint32(Relation::Right) << "rightNear";
}

void Navigation::directionPicksTheNearestSibling()
{
    QFETCH(quint32, relation);
    QFETCH(QString, expected);
    HostFixture host;
    auto *panel = host.add<VexWidget>("panel", QRectF(0, 0, 600, 600));
    auto *origin = host.add<VexWidget>("origin", QRectF(200, 200, 50, 50), panel);
    host.add<VexWidget>("upFar", QRectF(200, 0, 50, 50), panel);
    host.add<VexWidget>("upNear", QRectF(200, 120, 50, 50), panel);
    host.add<VexWidget>("downFar", QRectF(200, 500, 50, 50), panel);
    host.add<VexWidget>("downNear", QRectF(200, 300, 50, 50), panel);
    host.add<VexWidget>("leftFar", QRectF(0, 200, 50, 50), panel);
    host.add<VexWidget>("leftNear", QRectF(120, 200, 50, 50), panel);
    host.add<VexWidget>("rightFar", QRectF(500, 200, 50, 50), panel);
    host.add<VexWidget>("rightNear", QRectF(300, 200, 50, 50), panel);
    HostInterfacePtr target;
    QCOMPARE(iface(origin)->navigate(relation, 1, &target), NavigatedToInterface);
    QCOMPARE(target->object()->objectName(), expected);
}

void Navigation::coversAndCovered()
{
    HostFixture host;
    auto *panel = host.add<VexWidget>("panel", QRectF(0, 0, 600, 600));
    auto *below = host.add<VexWidget>("below", QRectF(0, 0, 100, 100), panel);
    auto *middle = host.add<VexWidget>("middle", QRectF(50, 50, 100, 100), panel);
    host.add<VexWidget>("apart", QRectF(400, 400, 10, 10), panel);
    auto *top = host.add<VexWidget>("top", QRectF(60, 60, 10, 10), panel);
    HostInterfacePtr target;
    QCOMPARE(iface(middle)->navigate(Relation::Covers, 1, &target), NavigatedToInterface);
    QCOMPARE(target->object(), top);
    QCOMPARE(iface(middle)->navigate(Relation::Covers, 2, &target), NavigationFailed);
    QCOMPARE(iface(middle)->navigate(Relation::Covered, 1, &target), NavigatedToInterface);
    QCOMPARE(target->object(), below);
    QCOMPARE(iface(middle)->navigate(Relation::Covered, 0, &target), NavigationFailed);

    // Siblings that overlap relate as covering and covered.
    QVERIFY(iface(top)->relationTo(0, iface(middle).get(), 0) & Relation::Covers);
    QVERIFY(iface(below)->relationTo(0, iface(middle).get(), 0) & Relation::Covered);
}

void Navigation::relations_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("parent") << "leftChild" << "panel" << quint32(Relation::Child);
    QTest::newRow("grandparent") << "grandChild" << "panel" << quint32(Relation::Descendent);
    QTest::newRow("child") << "panel" << "leftChild" << quint32(Relation::Ancestor);
    QTest::newRow("sibling to the lower right") << "leftChild" << "rightChild"
                                               << quint32(Relation::Sibling | Relation::Left | Relation::Up);
    QTest::newRow("sibling to the upper left") << "rightChild" << "leftChild"
                                              << quint32(Relation::Sibling | Relation::Right | Relation::Down);
    QTest::newRow("unrelated") << "grandChild" << "rightChild" << quint32(Relation::Unrelated);
}

void Navigation::relations()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(quint32, expected);
    HostFixture host;
    auto *panel = host.add<VexWidget>("panel", QRectF(0, 0, 600, 600));
    auto *left = host.add<VexWidget>("leftChild", QRectF(0, 0, 100, 100), panel);
    host.add<VexWidget>("rightChild", QRectF(300, 300, 100, 100), panel);
    host.add<VexWidget>("grandChild", QRectF(10, 10, 10, 10), left);
    auto find = [&](const QString &name) { return panel->objectName() == name ? panel : panel->findChild<VexWidget *>(name); };
    QCOMPARE(iface(find(from))->relationTo(0, iface(find(to)).get(), 0), expected);
}

void Navigation::selfChildAncestorAndSibling()
{
    HostFixture host;
    auto *panel = host.add<VexWidget>("panel", QRectF(0, 0, 600, 600));
    auto *first = host.add<VexWidget>("first", QRectF(0, 0, 10, 10), panel);
    auto *second = host.add<VexWidget>("second", QRectF(20, 0, 10, 10), panel);
    HostInterfacePtr panelAcc = iface(panel);
    HostInterfacePtr firstAcc = iface(first);

    QCOMPARE(firstAcc->relationTo(0, firstAcc.get(), 0), quint32(Relation::Self));
    QCOMPARE(firstAcc->relationTo(0, firstAcc.get(), 1), quint32(Relation::Ancestor));
    QCOMPARE(firstAcc->relationTo(1, firstAcc.get(), 0), quint32(Relation::Child));

    HostInterfacePtr target;
    QCOMPARE(panelAcc->navigate(Relation::Child, 2, &target), NavigatedToInterface);
    QCOMPARE(target->object(), second);
    QCOMPARE(panelAcc->navigate(Relation::Child, 3, &target), NavigationFailed);
    QCOMPARE(panelAcc->navigate(Relation::Child, 0, &target), NavigationFailed);
    QCOMPARE(firstAcc->navigate(Relation::Ancestor, 1, &target), NavigatedToInterface);
    QCOMPARE(target->object(), panel);
    QCOMPARE(firstAcc->navigate(Relation::Ancestor, 2, &target), NavigatedToInterface);
    QCOMPARE(target->object(), host.scene());
    QCOMPARE(firstAcc->navigate(Relation::Ancestor, 0, &target), NavigationFailed);
    QCOMPARE(firstAcc->navigate(Relation::Sibling, 2, &target), NavigatedToInterface);
    QCOMPARE(target->object(), second);
    QCOMPARE(firstAcc->navigate(Relation::Self, 0, &target), NavigatedToInterface);
    QCOMPARE(target->object(), first);
    QCOMPARE(panelAcc->indexOfChild(iface(second).get()), 2);
    QCOMPARE(panelAcc->indexOfChild(panelAcc.get()), 0);
    QCOMPARE(firstAcc->navigate(Relation::Label, 1, &target), NavigationFailed);
    QCOMPARE(firstAcc->navigate(Relation::Self, 0, nullptr), NavigationFailed);
}

void Navigation::topLevelAncestorIsTheApplication()
{
    QWidget top;
    HostInterfacePtr target;
    QCOMPARE(iface(&top)->navigate(Relation::Ancestor, 1, &target), NavigatedToInterface);
    QCOMPARE(target->object(), qApp);
    // Beyond the application there is nothing.
    QCOMPARE(iface(&top)->navigate(Relation::Ancestor, 2, &target), NavigationFailed);
}

void Navigation::itemContainerChildrenReportTheContainerAsParent()
{
    VexListWidget list;
    VexAbstractItemContainer *container = list.container();
    auto *item = new VexAbstractViewItem;
    container->addItem(item);
    HostInterfacePtr child;
    QCOMPARE(iface(container)->navigate(Relation::Child, 1, &child), NavigatedToInterface);
    QCOMPARE(child->object(), item);
    QCOMPARE(child->parentOverride(), container);
    QCOMPARE(iface(container)->navigate(Relation::Child, 2, &child), NavigationFailed);

    // The override stands in for the real parent.
    QObject elsewhere;
    HostInterfacePtr acc = iface(item);
    acc->setParentOverride(&elsewhere);
    HostInterfacePtr up;
    QCOMPARE(acc->navigate(Relation::Ancestor, 1, &up), NavigatedToInterface);
    QCOMPARE(up->object(), &elsewhere);
    QCOMPARE(up->parentOverride(), nullptr);
}

void Navigation::focusChildOfAWidget()
{
    QWidget top;
    auto *edit = new QWidget(&top);
    edit->setFocusPolicy(Qt::StrongFocus);
    top.show();
    QVERIFY(QTest::qWaitForWindowActive(&top));
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    HostInterfacePtr target;
    QCOMPARE(iface(&top)->navigate(Relation::FocusChild, 1, &target), NavigatedToInterface);
    QCOMPARE(target->object(), edit);
    QVERIFY(iface(edit)->state(0) & State::Focused);
    QVERIFY(iface(edit)->state(0) & State::Focusable);
    QWidget other;
    QCOMPARE(iface(&other)->navigate(Relation::FocusChild, 1, &target), NavigationFailed);
}

QTEST_MAIN(Navigation)
#include "tst_navigation.moc"
