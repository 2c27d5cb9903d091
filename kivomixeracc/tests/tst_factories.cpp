// Which accessible class serves which host object, and what Qt 5 gets once
// the factories are installed.
#include "graphicsscene.h"
#include "graphicsview.h"
#include "hostfixture.h"
#include "hostwidget.h"
#include "kivomixeracc.h"
#include "menuwidget.h"
#include "qt5adapter.h"
#include "vexframeitem.h"
#include "vexhptreewidget.h"
#include "vexitemcontainer.h"
#include "vexlistwidget.h"
#include "vextab.h"
#include "vextreeitemcontainer.h"
#include "vexviewitem.h"
#include <QApplication>
#include <QPushButton>
#include <QtCore/private/qmetaobjectbuilder_p.h>
#include <functional>
#include <kivowidgets.h>
#include <typeinfo>

using Builder = std::function<QObject *()>;
Q_DECLARE_METATYPE(Builder)

namespace {

// A tree container whose class chain also names VexAbstractItemContainer,
// as a host class deriving from both would.
class DualContainer : public VexTreeItemContainer
{
public:
    DualContainer()
    {
        QMetaObjectBuilder builder;
        builder.setClassName("VexAbstractItemContainer");
        builder.setSuperClass(&VexTreeItemContainer::staticMetaObject);
        m_meta = builder.toMetaObject();
    }
    ~DualContainer() override { free(m_meta); }
    const QMetaObject *metaObject() const override { return m_meta; }

private:
    QMetaObject *m_meta;
};

const char *bridgeClassOf(QObject *object)
{
    HostInterfacePtr acc = kivoacc::queryHostInterface(object);
    QAccessibleHostObject &ref = *acc;
    return typeid(ref).name();
}

template <typename T>
QByteArray nameOf()
{
    return typeid(T).name();
}

} // namespace

class Factories : public QObject
{
    Q_OBJECT
private slots:
    void classForObject_data();
    void classForObject();
    void widgetInDestructionGetsAnInvalidInterface();
    void installedFactoriesServeQt();
    void applicationKeepsQtsOwnInterface();
};

void Factories::classForObject_data()
{
    QTest::addColumn<Builder>("build");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("view item") << Builder([] { return new VexAbstractViewItem; }) << nameOf<QAccessibleVexViewItem>();
    QTest::newRow("tree view item is a view item") << Builder([] { return new VexTreeViewItem; }) << nameOf<QAccessibleVexViewItem>();
    QTest::newRow("item container") << Builder([] { return new VexAbstractItemContainer; }) << nameOf<QAccessibleVexItemContainer>();
    QTest::newRow("both containers: item container wins") << Builder([] { return new DualContainer; }) << nameOf<QAccessibleVexItemContainer>();
    QTest::newRow("tree item container") << Builder([] { return new VexTreeItemContainer; }) << nameOf<QAccessibleVexTreeItemContainer>();
    QTest::newRow("frame item") << Builder([] { return new VexFrameItem; }) << nameOf<QAccessibleVexFrameItem>();
    QTest::newRow("hp tree") << Builder([] { return new KivoChannelUserTreeWidget; }) << nameOf<QAccessibleVexHPTreeWidget>();
    QTest::newRow("list") << Builder([] { return new VexListWidget; }) << nameOf<QAccessibleVexListWidget>();
    QTest::newRow("fileslist is a plain graphics widget") << Builder([] {
        auto *list = new VexListWidget;
        list->setObjectName("fileslist");
        return list;
    }) << nameOf<QAccessibleGraphicsWidget>();
    QTest::newRow("tab") << Builder([] { return new VexTab; }) << nameOf<QAccessibleVexTab>();
    QTest::newRow("menu") << Builder([] { return new VexMenu; }) << nameOf<QAccessibleMenuWidget>();
    QTest::newRow("graphics widget") << Builder([] { return new VexLineEdit; }) << nameOf<QAccessibleGraphicsWidget>();
    QTest::newRow("graphics view") << Builder([] { return new VexFrameWindow; }) << nameOf<QAccessibleGraphicsView>();
    QTest::newRow("graphics scene") << Builder([] { return new QGraphicsScene; }) << nameOf<QAccessibleGraphicsScene>();
    QTest::newRow("widget") << Builder([] { return new QPushButton; }) << nameOf<QAccessibleHostWidget>();
    QTest::newRow("any object") << Builder([] { return new KivoCanvas; }) << nameOf<QAccessibleHostObject>();
}

void Factories::classForObject()
{
    QFETCH(Builder, build);
    QFETCH(QByteArray, expected);
    std::unique_ptr<QObject> object(build());
    QCOMPARE(QByteArray(bridgeClassOf(object.get())), expected);
    QVERIFY(!kivoacc::queryHostInterface(nullptr));
}

void Factories::widgetInDestructionGetsAnInvalidInterface()
{
    // Qt asks for interfaces while a widget announces that it goes away;
    // by then QWidget's destructor has marked it.
    auto *parent = new QWidget;
    auto *child = new QWidget(parent);
    HostInterfacePtr seen;
    QObject::connect(child, &QObject::destroyed, [&seen](QObject *o) { seen = kivoacc::queryHostInterface(o); });
    delete parent;
    QVERIFY(seen);
    QVERIFY(dynamic_cast<QAccessibleHostWidget *>(seen.get()));
    QVERIFY(!seen->isValid());
    QVERIFY(!seen->object());

    QWidget alive;
    QVERIFY(iface(&alive)->isValid());
}

void Factories::installedFactoriesServeQt()
{
    initKivoAT();
    VexTab tab;
    tab.addTab("One");
    tab.addTab("Two");
    QAccessibleInterface *qt = QAccessible::queryAccessibleInterface(&tab);
    auto *adapter = dynamic_cast<AccessibleAdapter *>(qt);
    QVERIFY(adapter);
    QVERIFY(dynamic_cast<QAccessibleVexTab *>(adapter->host()));
    QCOMPARE(qt->role(), QAccessible::PageTabList);
    QCOMPARE(qt->text(QAccessible::Value), QStringLiteral("One"));
    // Qt keeps one interface per object.
    QCOMPARE(QAccessible::queryAccessibleInterface(&tab), qt);

    // A second initialisation adds nothing: the same class still answers.
    initVexkitAT();
    QPushButton button;
    auto *buttonAdapter = dynamic_cast<AccessibleAdapter *>(QAccessible::queryAccessibleInterface(&button));
    QVERIFY(buttonAdapter);
    QVERIFY(dynamic_cast<QAccessibleHostWidget *>(buttonAdapter->host()));
}

void Factories::applicationKeepsQtsOwnInterface()
{
    initKivoAT();
    QAccessibleInterface *app = QAccessible::queryAccessibleInterface(qApp);
    QVERIFY(app);
    QVERIFY(!dynamic_cast<AccessibleAdapter *>(app));
    QCOMPARE(app->role(), QAccessible::Application);
}

QTEST_MAIN(Factories)
#include "tst_factories.moc"
