#include "factories.h"
#include "classtest.h"
#include "graphicsscene.h"
#include "graphicsview.h"
#include "graphicswidget.h"
#include "hostwidget.h"
#include "menuwidget.h"
#include "qt5adapter.h"
#include "vexframeitem.h"
#include "vexhptreewidget.h"
#include "vexitemcontainer.h"
#include "vexlistwidget.h"
#include "vextab.h"
#include "vextreeitemcontainer.h"
#include "vexviewitem.h"
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGraphicsWidget>
#include <QMenu>
#include <QtWidgets/private/qwidget_p.h>
#include <vexhptree.h>
#include <vexitemviews.h>

namespace kivoacc {

namespace {

// A widget inside its destructor must not be touched: its interface gets a
// null object, which Qt sees as invalid.
QObject *usableObject(QObject *object)
{
    if (object->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(object);
        QWidgetPrivate *d = QWidgetPrivate::get(widget);
        if (!d || d->data.in_destructor)
            return nullptr;
    }
    return object;
}

template <typename T>
HostInterfacePtr make(QObject *object)
{
    return std::make_unique<T>(usableObject(object));
}

struct Factory {
    bool (*accepts)(QObject *);
    HostInterfacePtr (*create)(QObject *);
};

// Effective order (see factories.h).
const Factory kFactories[] = {
    {[](QObject *o) { return inheritsClass(o, "VexAbstractViewItem"); }, make<QAccessibleVexViewItem>},
    {[](QObject *o) { return inheritsClass(o, "VexAbstractItemContainer"); }, make<QAccessibleVexItemContainer>},
    {[](QObject *o) { return qobject_cast<VexTreeItemContainer *>(o) != nullptr; }, make<QAccessibleVexTreeItemContainer>},
    {[](QObject *o) { return qobject_cast<VexFrameItem *>(o) != nullptr; }, make<QAccessibleVexFrameItem>},
    {[](QObject *o) { return qobject_cast<VexHPTreeWidget *>(o) != nullptr; }, make<QAccessibleVexHPTreeWidget>},
    {[](QObject *o) {
         // The file list draws its items itself; it is served as a plain widget.
         return qobject_cast<VexListWidget *>(o) && o->objectName() != QLatin1String("fileslist");
     }, make<QAccessibleVexListWidget>},
    {[](QObject *o) { return qobject_cast<VexTab *>(o) != nullptr; }, make<QAccessibleVexTab>},
    {[](QObject *o) { return qobject_cast<QMenu *>(o) != nullptr; }, make<QAccessibleMenuWidget>},
    {[](QObject *o) { return qobject_cast<QGraphicsWidget *>(o) != nullptr; }, make<QAccessibleGraphicsWidget>},
    {[](QObject *o) { return qobject_cast<QGraphicsView *>(o) != nullptr; }, make<QAccessibleGraphicsView>},
    {[](QObject *o) { return qobject_cast<QGraphicsScene *>(o) != nullptr; }, make<QAccessibleGraphicsScene>},
    {[](QObject *o) { return o->isWidgetType(); }, make<QAccessibleHostWidget>},
    {[](QObject *) { return true; }, make<QAccessibleHostObject>},
};
constexpr int kFactoryCount = int(sizeof(kFactories) / sizeof(kFactories[0]));
static_assert(kFactoryCount == 13, "one factory per accessible class");

template <int Index>
QAccessibleInterface *qtFactory(const QString &, QObject *object)
{
    // The application object keeps Qt's own interface: it is the root that
    // Qt and AT-SPI list the top-level windows under.
    if (!object || object == QCoreApplication::instance())
        return nullptr;
    if (!kFactories[Index].accepts(object))
        return nullptr;
    return new AccessibleAdapter(kFactories[Index].create(object));
}

template <int Index>
void installFrom()
{
    // Installed last-to-first so that the first entry is asked first.
    QAccessible::installFactory(qtFactory<Index>);
    if constexpr (Index > 0)
        installFrom<Index - 1>();
}

} // namespace

int factoryIndexFor(QObject *object)
{
    if (!object)
        return -1;
    for (int i = 0; i < kFactoryCount; ++i) {
        if (kFactories[i].accepts(object))
            return i;
    }
    return -1;
}

void installFactories()
{
    installFrom<kFactoryCount - 1>();
}

HostInterfacePtr queryHostInterface(QObject *object)
{
    const int index = factoryIndexFor(object);
    return index < 0 ? nullptr : kFactories[index].create(object);
}

} // namespace kivoacc
