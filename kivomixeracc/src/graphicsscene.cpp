#include "graphicsscene.h"
#include <QGraphicsScene>
#include <QGraphicsView>

using namespace kivoacc;

QAccessibleGraphicsScene::QAccessibleGraphicsScene(QObject *scene)
    : QAccessibleHostObject(scene)
{
}

QGraphicsScene *QAccessibleGraphicsScene::scene() const
{
    return qobject_cast<QGraphicsScene *>(object());
}

QString QAccessibleGraphicsScene::nameText(int child) const
{
    const QString name = QAccessibleHostObject::nameText(child);
    return name.isEmpty() ? QStringLiteral("QGraphicsScene") : name;
}

QRect QAccessibleGraphicsScene::rect(int child) const
{
    QGraphicsScene *s = scene();
    if (child < 0 || !s)
        return QRect();
    auto *view = qobject_cast<QGraphicsView *>(s->parent());
    if (!view)
        return QRect();
    const QRectF sceneRect = s->sceneRect();
    return QRect(view->viewport()->mapToGlobal(QPoint(0, 0)),
                 QSize(int(sceneRect.width()), int(sceneRect.height())));
}

quint32 QAccessibleGraphicsScene::state(int) const
{
    QGraphicsScene *s = scene();
    return s && s->hasFocus() ? quint32(State::Focused) : quint32(State::Normal);
}
