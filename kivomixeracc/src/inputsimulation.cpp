#include "inputsimulation.h"
#include "eventsimulator.h"
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QWidget>

namespace kivoacc {

namespace {

constexpr int kShortDelayMs = 10;
constexpr int kSceneReleaseDelayMs = 100;

QGraphicsSceneMouseEvent *sceneMouseEvent(QEvent::Type type, const QPointF &scenePos,
                                          const QPoint &screenPos, Qt::MouseButton button,
                                          Qt::KeyboardModifiers modifiers)
{
    auto *event = new QGraphicsSceneMouseEvent(type);
    event->setScenePos(scenePos);
    event->setLastScenePos(scenePos);
    event->setScreenPos(screenPos);
    event->setLastScreenPos(screenPos);
    // Qt 5's scene finds the item under a press by the button-down position.
    event->setButtonDownScenePos(button, scenePos);
    event->setButtonDownScreenPos(button, screenPos);
    event->setButton(button);
    event->setButtons(type == QEvent::GraphicsSceneMouseRelease ? Qt::NoButton : Qt::MouseButtons(button));
    event->setModifiers(modifiers);
    event->setAccepted(false);
    return event;
}

} // namespace

void simulateSceneClick(QGraphicsWidget *item, int x, int y, bool doubleClick,
                        bool rightButton, Qt::KeyboardModifiers modifiers)
{
    if (!item || !item->scene())
        return;
    const Qt::MouseButton button = rightButton ? Qt::RightButton : Qt::LeftButton;
    const QSizeF size = item->size();
    const QPointF local(x == -1 ? int(size.width() / 2) : x, y == -1 ? int(size.height() / 2) : y);
    const QPointF scenePos = item->mapToScene(local);
    QGraphicsScene *scene = item->scene();
    QPoint screenPos = scenePos.toPoint();
    if (!scene->views().isEmpty()) {
        QWidget *viewport = scene->views().first()->viewport();
        screenPos = viewport->mapToGlobal(scenePos.toPoint());
    }

    EventSimulator *sim = EventSimulator::instance();
    sim->postDelayed(scene, sceneMouseEvent(QEvent::GraphicsSceneMousePress, scenePos, screenPos, button, modifiers), kShortDelayMs);
    sim->postDelayed(scene, sceneMouseEvent(QEvent::GraphicsSceneMouseRelease, scenePos, screenPos, button, modifiers), kSceneReleaseDelayMs);
    if (doubleClick) {
        sim->postDelayed(scene, sceneMouseEvent(QEvent::GraphicsSceneMouseDoubleClick, scenePos, screenPos, button, modifiers), kShortDelayMs);
        sim->postDelayed(scene, sceneMouseEvent(QEvent::GraphicsSceneMouseRelease, scenePos, screenPos, button, modifiers), kShortDelayMs);
    }
}

void simulateWidgetClick(QWidget *widget, int x, int y, bool doubleClick,
                         bool rightButton, Qt::KeyboardModifiers modifiers)
{
    if (!widget)
        return;
    const Qt::MouseButton button = rightButton ? Qt::RightButton : Qt::LeftButton;
    const QPoint pos(x == -1 ? widget->width() / 2 : x, y == -1 ? widget->height() / 2 : y);
    const QPoint global = widget->mapToGlobal(pos);
    const QPoint inWindow = widget->mapTo(widget->window(), pos);
    auto mouse = [&](QEvent::Type type) {
        return new QMouseEvent(type, pos, inWindow, global, button, Qt::NoButton, modifiers);
    };

    EventSimulator *sim = EventSimulator::instance();
    sim->postDelayed(widget, mouse(QEvent::MouseButtonPress), kShortDelayMs);
    sim->postDelayed(widget, mouse(QEvent::MouseButtonRelease), kShortDelayMs);
    if (doubleClick) {
        sim->postDelayed(widget, mouse(QEvent::MouseButtonDblClick), kShortDelayMs);
        sim->postDelayed(widget, mouse(QEvent::MouseButtonRelease), kShortDelayMs);
    } else if (rightButton) {
        sim->postDelayed(widget, new QContextMenuEvent(QContextMenuEvent::Mouse, pos, global, modifiers), kShortDelayMs);
    }
}

void simulateKeyInput(QGraphicsItem *item, const QString &text)
{
    if (text.isEmpty() || !item || !item->scene() || !item->scene()->parent())
        return;
    QObject *receiver = item->scene()->parent();
    auto press = [receiver](int key, const QString &keyText) {
        QCoreApplication::postEvent(receiver, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, keyText, false, 1));
    };

    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch != QLatin1Char('\\')) {
            press(uchar(ch.toLatin1()), QString(ch));
            continue;
        }
        if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\\')) {
            press('\\', QStringLiteral("\\"));
            ++i;
            continue;
        }
        // Exactly two decimal digits name a special key; anything else is
        // malformed and ends the input.
        if (i + 2 >= text.size() || !text.at(i + 1).isDigit() || !text.at(i + 2).isDigit()
            || text.at(i + 1).unicode() > '9' || text.at(i + 2).unicode() > '9')
            return;
        const int n = (text.at(i + 1).unicode() - '0') * 10 + (text.at(i + 2).unicode() - '0');
        press(0x01000000 + n, QString());
        i += 2;
    }
}

void simulateChildWidgetClick(QGraphicsWidget *item, int x, int y, bool doubleClick, bool rightButton)
{
    if (!item || !item->scene())
        return;
    auto *view = qobject_cast<QWidget *>(item->scene()->parent());
    if (!view)
        return;
    const QSizeF size = item->size();
    const QPointF local(x == -1 ? int(size.width() / 2) : x, y == -1 ? int(size.height() / 2) : y);
    const QPoint scenePos = item->mapToScene(local).toPoint();
    QWidget *child = view->childAt(scenePos);
    if (!child)
        return;
    // The child may sit inside the viewport rather than directly in the view.
    const QPoint inChild = child->mapFrom(view, scenePos);
    simulateWidgetClick(child, inChild.x(), inChild.y(), doubleClick, rightButton, Qt::NoModifier);
}

} // namespace kivoacc
