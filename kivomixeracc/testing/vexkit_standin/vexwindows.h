// Stand-in Vexkit windows: the frame window (a graphics view that owns its
// scene, the scene's QObject parent being the view) and the menu.
#pragma once
#include "vexkit_global.h"
#include <QGraphicsView>
#include <QMenu>

class VEXKIT_EXPORT VexFrameWindow : public QGraphicsView
{
    Q_OBJECT
public:
    explicit VexFrameWindow(QWidget *parent = nullptr);
};

class VEXKIT_EXPORT VexMenu : public QMenu
{
    Q_OBJECT
public:
    explicit VexMenu(QWidget *parent = nullptr) : QMenu(parent) {}
};
