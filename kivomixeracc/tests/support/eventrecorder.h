// Test support: records the events of chosen types that reach an object,
// with the time they arrived.
#pragma once
#include <QElapsedTimer>
#include <QEvent>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>
#include <QSet>
#include <QVector>

struct RecordedEvent {
    QEvent::Type type;
    QPointF pos;
    Qt::MouseButton button = Qt::NoButton;
    Qt::KeyboardModifiers modifiers;
    int key = 0;
    QString text;
    qint64 ms = 0;
};

class EventRecorder : public QObject
{
public:
    EventRecorder(QObject *watched, QSet<QEvent::Type> types)
        : m_types(std::move(types))
    {
        watched->installEventFilter(this);
        clock.start();
    }

    QVector<QEvent::Type> types() const
    {
        QVector<QEvent::Type> result;
        for (const RecordedEvent &e : events)
            result.append(e.type);
        return result;
    }

    QVector<RecordedEvent> events;
    QElapsedTimer clock;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (!m_types.contains(event->type()))
            return false;
        RecordedEvent r{event->type(), {}, Qt::NoButton, Qt::NoModifier, 0, {}, clock.elapsed()};
        switch (event->type()) {
        case QEvent::GraphicsSceneMousePress:
        case QEvent::GraphicsSceneMouseRelease:
        case QEvent::GraphicsSceneMouseDoubleClick: {
            auto *m = static_cast<QGraphicsSceneMouseEvent *>(event);
            r.pos = m->scenePos();
            r.button = m->button();
            r.modifiers = m->modifiers();
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            auto *m = static_cast<QMouseEvent *>(event);
            r.pos = m->localPos();
            r.button = m->button();
            r.modifiers = m->modifiers();
            break;
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto *k = static_cast<QKeyEvent *>(event);
            r.key = k->key();
            r.text = k->text();
            r.modifiers = k->modifiers();
            break;
        }
        default:
            break;
        }
        events.append(r);
        return false;
    }

private:
    QSet<QEvent::Type> m_types;
};
