#include "vexwidget.h"
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>

VexWidget::VexWidget(QGraphicsItem *parentItem)
    : QGraphicsWidget(parentItem)
{
    if (parentItem && parentItem->toGraphicsObject())
        setParent(parentItem->toGraphicsObject());
}

void VexWidget::addToScene(QGraphicsScene *scene)
{
    scene->addItem(this);
    setParent(scene);
}

int VexWidget::height() const { return int(size().height()); }
int VexWidget::width() const { return int(size().width()); }

void VexWidget::record(const QString &entry)
{
    m_received.append(entry);
    emit inputReceived(entry);
}

void VexWidget::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    event->accept();
    record(QStringLiteral("press:%1").arg(int(event->button())));
}

void VexWidget::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    record(QStringLiteral("release:%1").arg(int(event->button())));
}

void VexWidget::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event)
{
    event->accept();
    record(QStringLiteral("dblclick:%1").arg(int(event->button())));
}

void VexWidget::keyPressEvent(QKeyEvent *event)
{
    record(QStringLiteral("key:%1:%2").arg(event->key(), 0, 16).arg(event->text()));
}
