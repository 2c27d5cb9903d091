// VexWidget: base of the stand-in's graphics widgets.
//
// The real framework keeps the QObject tree in step with the graphics item
// tree (the bridge walks QObject children), so a VexWidget created under a
// graphics object, or added to a scene with addToScene(), also becomes its
// QObject child. Every widget accepts mouse presses (so that the release goes
// back to it as the grabber) and records what reached it, for the tests.
#pragma once
#include "vexkit_global.h"
#include <QGraphicsWidget>
#include <QStringList>

class QGraphicsScene;

class VEXKIT_EXPORT VexWidget : public QGraphicsWidget
{
    Q_OBJECT
public:
    explicit VexWidget(QGraphicsItem *parentItem = nullptr);

    // Adds a top-level widget to the scene and makes the scene its QObject parent.
    void addToScene(QGraphicsScene *scene);

    int height() const;
    int width() const;

    // What reached the widget, oldest first: "press:1", "release:1",
    // "dblclick:1", "key:Text" and the names of invoked slots with arguments.
    const QStringList &received() const { return m_received; }
    void clearReceived() { m_received.clear(); }
    void record(const QString &entry);

signals:
    void inputReceived(const QString &entry);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QStringList m_received;
};
