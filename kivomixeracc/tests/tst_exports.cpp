// The shared library as the host sees it: loaded by file name, four
// undecorated exports, one call that installs everything.
#include <QAccessible>
#include <QLibrary>
#include <QTest>
#include <vexcontrols.h>
#include <vexitemviews.h>

class Exports : public QObject
{
    Q_OBJECT
private slots:
    void loadByFileNameAndInitialise();
};

void Exports::loadByFileNameAndInitialise()
{
    QLibrary library(QStringLiteral(BRIDGE_LIBRARY_PATH));
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    for (const char *name : {"initVexkitAT", "initKivoAT", "dummyKivoAccFunction", "postInvokeEvent"})
        QVERIFY2(library.resolve(name), name);

    VexTab before;
    before.addTab("One");
    // Before initialisation Qt knows nothing about the graphics widgets.
    QAccessibleInterface *plain = QAccessible::queryAccessibleInterface(&before);
    QVERIFY(!plain || plain->role() != QAccessible::PageTabList);

    using Init = void (*)();
    reinterpret_cast<Init>(library.resolve("dummyKivoAccFunction"))();
    reinterpret_cast<Init>(library.resolve("initKivoAT"))();
    VexTab tab;
    tab.addTab("One");
    QAccessibleInterface *acc = QAccessible::queryAccessibleInterface(&tab);
    QVERIFY(acc);
    QCOMPARE(acc->role(), QAccessible::PageTabList);
    QCOMPARE(acc->text(QAccessible::Value), QStringLiteral("One"));

    using PostInvoke = void (*)(QObject *, QString, QList<QVariant>);
    auto post = reinterpret_cast<PostInvoke>(library.resolve("postInvokeEvent"));
    VexComboBox combo;
    post(&combo, QStringLiteral("onDropDownListClicked"), {2});
    QVERIFY(combo.received().isEmpty()); // delivered later, by the event loop
    QTRY_COMPARE(combo.received(), QStringList{"onDropDownListClicked(2)"});
}

QTEST_MAIN(Exports)
#include "tst_exports.moc"
