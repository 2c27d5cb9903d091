// The event simulator's queue and timing, the click and key routines, and
// the posted meta-call.
#include "eventrecorder.h"
#include "eventsimulator.h"
#include "hostfixture.h"
#include "inputsimulation.h"
#include "kivomixeracc.h"
#include <QSignalSpy>
#include <vexcontrols.h>

using namespace kivoacc;

namespace {

// Two slots of the same name: the later declaration is the one called.
class Receiver : public QObject
{
    Q_OBJECT
public:
    QStringList calls;
public slots:
    void hit(int n) { calls << QStringLiteral("int:%1").arg(n); }
    void hit(const QString &s) { calls << QStringLiteral("string:%1").arg(s); }
    void pair(const QString &a, int b) { calls << QStringLiteral("pair:%1:%2").arg(a).arg(b); }
};

struct Key {
    int key;
    QString text;
    bool operator==(const Key &o) const { return key == o.key && text == o.text; }
};
using Keys = QVector<Key>;

} // namespace

Q_DECLARE_METATYPE(Keys)

namespace QTest {
template <>
char *toString(const Keys &keys)
{
    QStringList parts;
    for (const Key &k : keys)
        parts << QStringLiteral("%1/'%2'").arg(k.key, 0, 16).arg(k.text);
    return qstrdup(parts.join(QLatin1Char(' ')).toUtf8().constData());
}
} // namespace QTest

class Simulator : public QObject
{
    Q_OBJECT
private slots:
    void sceneClickPressThenReleaseAboutATenthLater();
    void sceneDoubleClickSequence();
    void widgetClickSequences_data();
    void widgetClickSequences();
    void delaysAreClamped_data();
    void delaysAreClamped();
    void longDelayIsCutTo500ms();
    void destroyedTargetReceivesNothing();
    void keyInput_data();
    void keyInput();
    void keyInputNeedsASceneWithAParent();
    void postInvokeCallsTheLastDeclaredSlotLater();
    void postInvokeRefusesCallsItCannotMakeSafely_data();
    void postInvokeRefusesCallsItCannotMakeSafely();
};

void Simulator::sceneClickPressThenReleaseAboutATenthLater()
{
    HostFixture host;
    auto *w = host.add<VexWidget>("target", QRectF(100, 100, 40, 20));
    EventRecorder rec(host.scene(), {QEvent::GraphicsSceneMousePress, QEvent::GraphicsSceneMouseRelease,
                                     QEvent::GraphicsSceneMouseDoubleClick});
    simulateSceneClick(w, -1, -1, false, false, Qt::NoModifier);
    QVERIFY(rec.events.isEmpty()); // nothing happens before the event loop runs
    QTRY_COMPARE(rec.events.size(), 2);
    QCOMPARE(rec.types(), (QVector<QEvent::Type>{QEvent::GraphicsSceneMousePress, QEvent::GraphicsSceneMouseRelease}));
    const qint64 gap = rec.events[1].ms - rec.events[0].ms;
    QVERIFY2(gap >= 50 && gap <= 1000, qPrintable(QString::number(gap)));
    QCOMPARE(rec.events[0].pos, QPointF(120, 110));
    QCOMPARE(rec.events[0].button, Qt::LeftButton);
    QCOMPARE(w->received(), (QStringList{"press:1", "release:1"}));
}

void Simulator::sceneDoubleClickSequence()
{
    HostFixture host;
    auto *w = host.add<VexWidget>("target", QRectF(100, 100, 40, 20));
    EventRecorder rec(host.scene(), {QEvent::GraphicsSceneMousePress, QEvent::GraphicsSceneMouseRelease,
                                     QEvent::GraphicsSceneMouseDoubleClick});
    simulateSceneClick(w, 3, 4, true, true, Qt::ShiftModifier);
    QTRY_COMPARE(rec.events.size(), 4);
    QCOMPARE(rec.types(), (QVector<QEvent::Type>{QEvent::GraphicsSceneMousePress, QEvent::GraphicsSceneMouseRelease,
                                                 QEvent::GraphicsSceneMouseDoubleClick, QEvent::GraphicsSceneMouseRelease}));
    for (const RecordedEvent &e : rec.events) {
        QCOMPARE(e.pos, QPointF(103, 104));
        QCOMPARE(e.button, Qt::RightButton);
        QCOMPARE(e.modifiers, Qt::KeyboardModifiers(Qt::ShiftModifier));
    }
    // The double click follows the release quicker than the release followed the press.
    const qint64 pressToRelease = rec.events[1].ms - rec.events[0].ms;
    const qint64 releaseToDouble = rec.events[2].ms - rec.events[1].ms;
    QVERIFY2(releaseToDouble <= pressToRelease, qPrintable(QStringLiteral("%1 vs %2").arg(releaseToDouble).arg(pressToRelease)));
    QVERIFY(rec.events[3].ms - rec.events[2].ms <= 1000);
    QVERIFY(w->received().contains("dblclick:2"));
}

void Simulator::widgetClickSequences_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<bool>("rightButton");
    QTest::addColumn<QVector<QEvent::Type>>("expected");
    QTest::newRow("left click") << false << false
                                << QVector<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseButtonRelease};
    QTest::newRow("right click opens the context menu") << false << true
        << QVector<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::ContextMenu};
    QTest::newRow("double click") << true << false
        << QVector<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                 QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease};
    QTest::newRow("right double click has no context menu") << true << true
        << QVector<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                 QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease};
}

void Simulator::widgetClickSequences()
{
    QFETCH(bool, doubleClick);
    QFETCH(bool, rightButton);
    QFETCH(QVector<QEvent::Type>, expected);
    QWidget widget;
    widget.resize(41, 21);
    widget.show();
    EventRecorder rec(&widget, {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                QEvent::MouseButtonDblClick, QEvent::ContextMenu});
    simulateWidgetClick(&widget, -1, -1, doubleClick, rightButton, Qt::AltModifier);
    QTRY_COMPARE(rec.events.size(), expected.size());
    QCOMPARE(rec.types(), expected);
    QCOMPARE(rec.events[0].pos, QPointF(20, 10));
    QCOMPARE(rec.events[0].button, rightButton ? Qt::RightButton : Qt::LeftButton);
    QCOMPARE(rec.events[0].modifiers, Qt::KeyboardModifiers(Qt::AltModifier));
}

void Simulator::delaysAreClamped_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("actual");
    QTest::newRow("zero") << 0 << 10;
    QTest::newRow("negative") << -5 << 10;
    QTest::newRow("in range") << 250 << 250;
    QTest::newRow("too long") << 2000 << 500;
}

void Simulator::delaysAreClamped()
{
    QFETCH(int, requested);
    QFETCH(int, actual);
    QCOMPARE(EventSimulator::clampDelay(requested), actual);
}

void Simulator::longDelayIsCutTo500ms()
{
    QObject target;
    EventRecorder rec(&target, {QEvent::User});
    EventSimulator::instance()->postDelayed(&target, new QEvent(QEvent::User), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(rec.events.size(), 1, 5000);
    // Posted after about 500 ms; an unclamped delay would take 2000.
    QVERIFY2(rec.events[0].ms >= 300 && rec.events[0].ms < 1500, qPrintable(QString::number(rec.events[0].ms)));
}

void Simulator::destroyedTargetReceivesNothing()
{
    auto doomed = std::make_unique<QObject>();
    QObject survivor;
    EventRecorder doomedRec(doomed.get(), {QEvent::User});
    EventRecorder survivorRec(&survivor, {QEvent::User});
    EventSimulator *sim = EventSimulator::instance();
    sim->postDelayed(doomed.get(), new QEvent(QEvent::User), 50);
    sim->postDelayed(doomed.get(), new QEvent(QEvent::User), 50);
    sim->postDelayed(&survivor, new QEvent(QEvent::User), 50);
    doomed.reset();
    // Dropped entries are never handed to Qt (which would complain about
    // a null receiver).
    static QStringList warnings;
    warnings.clear();
    QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &msg) {
        warnings << msg;
    });
    QTRY_COMPARE(survivorRec.events.size(), 1);
    qInstallMessageHandler(previous);
    QVERIFY(doomedRec.events.isEmpty());
    QCOMPARE(sim->pendingCount(), 0);
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
}

void Simulator::keyInput_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Keys>("expected");
    QTest::newRow("letters and Return") << "ab\\04" << Keys{{'a', "a"}, {'b', "b"}, {Qt::Key_Return, ""}};
    QTest::newRow("escaped backslash") << "a\\\\b" << Keys{{'a', "a"}, {'\\', "\\"}, {'b', "b"}};
    QTest::newRow("malformed escape ends the input") << "a\\x1b" << Keys{{'a', "a"}};
    QTest::newRow("escape cut short") << "a\\0" << Keys{{'a', "a"}};
    QTest::newRow("Escape key") << "\\00" << Keys{{Qt::Key_Escape, ""}};
    QTest::newRow("sign is no digit") << "\\+4x" << Keys{};
    QTest::newRow("empty") << "" << Keys{};
}

void Simulator::keyInput()
{
    QFETCH(QString, text);
    QFETCH(Keys, expected);
    HostFixture host;
    auto *w = host.add<VexLineEdit>("edit", QRectF(0, 0, 100, 20));
    EventRecorder rec(host.window.get(), {QEvent::KeyPress, QEvent::KeyRelease});
    simulateKeyInput(w, text);
    QCoreApplication::processEvents();
    Keys got;
    for (const RecordedEvent &e : rec.events) {
        QCOMPARE(e.type, QEvent::KeyPress);
        QCOMPARE(e.modifiers, Qt::KeyboardModifiers(Qt::NoModifier));
        got.append({e.key, e.text});
    }
    QCOMPARE(got, expected);
}

void Simulator::keyInputNeedsASceneWithAParent()
{
    QGraphicsScene scene; // no parent object to receive the keys
    auto *w = new VexLineEdit;
    scene.addItem(w);
    EventRecorder rec(&scene, {QEvent::KeyPress});
    simulateKeyInput(w, "abc");
    QCoreApplication::processEvents();
    QVERIFY(rec.events.isEmpty());
    VexLineEdit loose;
    simulateKeyInput(&loose, "abc"); // no scene at all: nothing, no crash
}

void Simulator::postInvokeCallsTheLastDeclaredSlotLater()
{
    Receiver receiver;
    postInvokeEvent(&receiver, "hit", {5});
    QVERIFY(receiver.calls.isEmpty()); // not called at once
    QTRY_COMPARE(receiver.calls, QStringList{"string:5"});
    postInvokeEvent(&receiver, "pair", {"x", 7});
    QTRY_COMPARE(receiver.calls.size(), 2);
    QCOMPARE(receiver.calls.last(), QStringLiteral("pair:x:7"));
}

void Simulator::postInvokeRefusesCallsItCannotMakeSafely_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QVariantList>("arguments");
    QTest::newRow("unknown method") << "missing" << QVariantList{1};
    QTest::newRow("QObject's own method") << "deleteLater" << QVariantList{};
    QTest::newRow("too few arguments") << "pair" << QVariantList{"x"};
    QTest::newRow("argument of no convertible type") << "pair" << QVariantList{"x", QVariant::fromValue(QRect(1, 2, 3, 4))};
}

void Simulator::postInvokeRefusesCallsItCannotMakeSafely()
{
    QFETCH(QString, method);
    QFETCH(QVariantList, arguments);
    auto *receiver = new Receiver;
    QSignalSpy destroyed(receiver, &QObject::destroyed);
    postInvokeEvent(receiver, method, arguments);
    QTest::qWait(50);
    QVERIFY(receiver->calls.isEmpty());
    QCOMPARE(destroyed.count(), 0);
    delete receiver;
}

QTEST_MAIN(Simulator)
#include "tst_simulator.moc"
