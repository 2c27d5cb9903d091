// Test support: a shown frame window with its scene, the way the host
// builds its windows, plus helpers to make bridge interfaces.
#pragma once
#include "factories.h"
#include "hostobject.h"
#include <QGraphicsScene>
#include <QTest>
#include <memory>
#include <vexwindows.h>
#include <vexwidget.h>

class HostFixture
{
public:
    HostFixture()
        : window(std::make_unique<VexFrameWindow>())
    {
        window->setObjectName(QStringLiteral("frameWindow"));
        window->move(40, 30);
        window->resize(800, 600);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("HostFixture: the frame window was not exposed");
    }

    QGraphicsScene *scene() const { return window->scene(); }

    // A widget at the given geometry, top-level in the scene or under parent.
    template <typename T>
    T *add(const QString &name, const QRectF &geometry, VexWidget *parent = nullptr)
    {
        auto *w = new T(parent);
        if (!parent)
            w->addToScene(scene());
        w->setObjectName(name);
        w->setGeometry(geometry);
        return w;
    }

    std::unique_ptr<VexFrameWindow> window;
};

inline HostInterfacePtr iface(QObject *object)
{
    return kivoacc::queryHostInterface(object);
}
