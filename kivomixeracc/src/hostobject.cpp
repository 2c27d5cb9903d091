#include "hostobject.h"
#include "classtest.h"
#include "roletable.h"
#include <QCoreApplication>
#include <QVariant>
#include <cmath>

using namespace kivoacc;

QAccessibleHostObject::QAccessibleHostObject(QObject *object)
    : m_object(object)
{
}

QAccessibleHostObject::~QAccessibleHostObject() = default;

int QAccessibleHostObject::childCount() const
{
    return object() ? object()->children().size() : 0;
}

int QAccessibleHostObject::indexOfChild(const QAccessibleHostObject *child) const
{
    if (!object() || !child || !child->object())
        return 0;
    return object()->children().indexOf(child->object()) + 1;
}

int QAccessibleHostObject::childAt(int x, int y) const
{
    if (!rect(0).contains(x, y))
        return -1;
    const int count = object() ? object()->children().size() : 0;
    for (int i = 1; i <= count; ++i) {
        if (rect(i).contains(x, y))
            return i;
    }
    return 0;
}

QString QAccessibleHostObject::text(int type, int child) const
{
    if (child < 0)
        return QString();
    switch (type) {
    case Text::Name: return nameText(child);
    case Text::Description: return descriptionText(child);
    case Text::Value: return valueText(child);
    case Text::Help: return helpText(child);
    default: return QString();
    }
}

void QAccessibleHostObject::setText(int type, int child, const QString &text)
{
    if (child < 0)
        return;
    if (type == Text::Name)
        setNameText(child, text);
    else if (type == Text::Value)
        setValueText(child, text);
}

bool QAccessibleHostObject::doAction(int action, int child)
{
    if (action == Action::DefaultAction)
        return doDefaultAction(child);
    if (action == Action::SetFocus)
        return doSetFocusAction(child);
    return false; // what the generic object does for any other action
}

int QAccessibleHostObject::role(int child) const
{
    if (child < 0)
        return Role::UserRole;
    if (child == 0)
        return roleOfObject(object());
    QObject *target = nullptr;
    if (object() && object()->children().size() >= child)
        target = object()->children().at(child - 1);
    else
        target = childObject(child);
    if (!target)
        return Role::UserRole;
    HostInterfacePtr iface = queryHostInterface(target);
    return iface ? iface->role(0) : int(Role::UserRole);
}

quint32 QAccessibleHostObject::state(int) const
{
    return State::Normal;
}

QRect QAccessibleHostObject::rect(int) const
{
    // Tool widgets are plain objects that the host draws inside their
    // parent; their "geometry" is relative to the parent's rectangle.
    if (!inheritsClass(object(), "KivoToolWidget"))
        return QRect();
    QRect r = object()->property("geometry").toRect();
    HostInterfacePtr parent;
    if (navigateAncestor(1, &parent) == NavigatedToInterface && parent)
        r.translate(parent->rect(0).topLeft());
    return r;
}

QObject *QAccessibleHostObject::childObject(int) const
{
    return object();
}

QString QAccessibleHostObject::nameText(int child) const
{
    QObject *o = childObject(child);
    return o ? o->objectName() : QString();
}

QString QAccessibleHostObject::descriptionText(int child) const
{
    QObject *o = childObject(child);
    return o ? QString::fromLatin1(o->metaObject()->className()) : QString();
}

QString QAccessibleHostObject::helpText(int child) const
{
    return descriptionText(child);
}

QString QAccessibleHostObject::valueText(int) const
{
    QObject *o = object();
    if (inheritsClass(o, "KivoCanvas"))
        return o->property("elementsStringData").toString();
    if (inheritsClass(o, "KivoPageItem"))
        return QStringLiteral("$BackImage:") + o->property("backgroundImageInfo").toString();
    return QString();
}

HostInterfacePtr QAccessibleHostObject::interfaceWithOverride(QObject *target) const
{
    HostInterfacePtr iface = queryHostInterface(target);
    if (iface && parentOverride())
        iface->setParentOverride(parentOverride());
    return iface;
}

int QAccessibleHostObject::navigate(quint32 relation, int entry, HostInterfacePtr *target) const
{
    if (!target)
        return NavigationFailed;
    target->reset();
    switch (relation) {
    case Relation::Self: return navigateSelf(target);
    case Relation::Ancestor: return navigateAncestor(entry, target);
    case Relation::Child: return navigateChild(entry, target);
    case Relation::Sibling: return navigateSibling(entry, target);
    case Relation::Up:
    case Relation::Down:
    case Relation::Left:
    case Relation::Right: return navigateDirection(relation, target);
    case Relation::Covers:
    case Relation::Covered: return navigateOverlapping(relation, entry, target);
    case Relation::FocusChild: return navigateFocusChild(entry, target);
    case Relation::Label: return navigateLabel(entry, target);
    case Relation::Controller: return navigateController(entry, target);
    default: return NavigationFailed;
    }
}

int QAccessibleHostObject::navigateSelf(HostInterfacePtr *target) const
{
    *target = interfaceWithOverride(object());
    return *target ? NavigatedToInterface : NavigationFailed;
}

int QAccessibleHostObject::navigateAncestor(int entry, HostInterfacePtr *target) const
{
    if (entry < 1 || !object())
        return NavigationFailed;
    QObject *reached = object();
    for (int left = entry; left > 0; --left) {
        QObject *up = reached->parent();
        if (!up) {
            // Top-level objects hang below the application, one step up.
            QObject *app = QCoreApplication::instance();
            reached = (left == 1 && reached != app) ? app : nullptr;
            break;
        }
        reached = up;
    }
    if (!reached)
        return NavigationFailed;
    *target = interfaceWithOverride(reached);
    return *target ? NavigatedToInterface : NavigationFailed;
}

int QAccessibleHostObject::navigateChild(int entry, HostInterfacePtr *target) const
{
    const int count = childCount();
    const QObjectList children = object() ? object()->children() : QObjectList();
    if (children.size() >= count) {
        if (entry < 1 || entry > children.size())
            return NavigationFailed;
        *target = interfaceWithOverride(children.at(entry - 1));
        return *target ? NavigatedToInterface : NavigationFailed;
    }
    return entry >= 1 && entry <= count ? entry : NavigationFailed;
}

int QAccessibleHostObject::navigateSibling(int entry, HostInterfacePtr *target) const
{
    HostInterfacePtr parent = queryHostInterface(effectiveParent(object()));
    if (!parent)
        return NavigationFailed;
    return parent->navigate(Relation::Child, entry, target) == NavigatedToInterface && *target
        ? NavigatedToInterface : NavigationFailed;
}

int QAccessibleHostObject::navigateFocusChild(int, HostInterfacePtr *) const
{
    return NavigationFailed;
}

int QAccessibleHostObject::navigateController(int, HostInterfacePtr *) const
{
    return NavigationFailed;
}

namespace {

// Edge point of a rectangle that faces the given direction (halves by
// integer division, as the direction search measures).
QPoint edgePoint(const QRect &r, quint32 side)
{
    switch (side) {
    case Relation::Up: return QPoint(r.left() + r.width() / 2, r.top());
    case Relation::Down: return QPoint(r.left() + r.width() / 2, r.bottom());
    case Relation::Left: return QPoint(r.left(), r.top() + r.height() / 2);
    default: return QPoint(r.right(), r.top() + r.height() / 2);
    }
}

quint32 oppositeSide(quint32 side)
{
    switch (side) {
    case Relation::Up: return Relation::Down;
    case Relation::Down: return Relation::Up;
    case Relation::Left: return Relation::Right;
    default: return Relation::Left;
    }
}

bool liesOnSide(const QPoint &from, const QPoint &candidate, quint32 side)
{
    switch (side) {
    case Relation::Up: return candidate.y() < from.y();
    case Relation::Down: return candidate.y() > from.y();
    case Relation::Left: return candidate.x() < from.x();
    default: return candidate.x() > from.x();
    }
}

} // namespace

int QAccessibleHostObject::navigateDirection(quint32 relation, HostInterfacePtr *target) const
{
    HostInterfacePtr parent = queryHostInterface(effectiveParent(object()));
    if (!parent)
        return NavigationFailed;
    const QRect own = rect(0);
    const QPoint centre = own.center();
    const QPoint start = edgePoint(own, relation);
    int best = 100000;
    const int count = parent->childCount();
    for (int i = 1; i <= count; ++i) {
        HostInterfacePtr sibling;
        if (parent->navigate(Relation::Child, i, &sibling) != NavigatedToInterface || !sibling)
            continue;
        if (relationTo(0, sibling.get(), 0) & Relation::Self)
            continue;
        if (sibling->state(0) & State::Invisible)
            continue;
        const QRect other = sibling->rect(0);
        if (!liesOnSide(centre, other.center(), relation))
            continue;
        const QPoint end = edgePoint(other, oppositeSide(relation));
        const double dx = end.x() - start.x();
        const double dy = end.y() - start.y();
        const int distance = int(std::sqrt(dx * dx + dy * dy));
        if (distance < best) {
            best = distance;
            *target = std::move(sibling);
        }
    }
    return *target ? NavigatedToInterface : NavigationFailed;
}

int QAccessibleHostObject::navigateOverlapping(quint32 relation, int entry, HostInterfacePtr *target) const
{
    if (entry <= 0)
        return NavigationFailed;
    HostInterfacePtr parent = queryHostInterface(effectiveParent(object()));
    if (!parent)
        return NavigationFailed;
    const int index = parent->indexOfChild(this);
    const int first = relation == Relation::Covers ? index + 1 : 1;
    const int last = relation == Relation::Covers ? parent->childCount() : index - 1;
    const QRect own = rect(0);
    for (int i = first; i <= last; ++i) {
        HostInterfacePtr sibling;
        if (parent->navigate(Relation::Child, i, &sibling) != NavigatedToInterface || !sibling)
            continue;
        if (sibling->state(0) & State::Invisible)
            continue;
        if (!sibling->rect(0).intersects(own))
            continue;
        if (--entry == 0) {
            *target = std::move(sibling);
            return NavigatedToInterface;
        }
    }
    return NavigationFailed;
}

int QAccessibleHostObject::navigateLabel(int entry, HostInterfacePtr *target) const
{
    if (entry <= 0)
        return NavigationFailed;
    HostInterfacePtr parent = queryHostInterface(effectiveParent(object()));
    if (!parent)
        return NavigationFailed;
    const int count = parent->childCount();
    for (int i = 1; i <= count; ++i) {
        HostInterfacePtr sibling;
        if (parent->navigate(Relation::Child, i, &sibling) != NavigatedToInterface || !sibling)
            continue;
        if ((sibling->relationTo(0, this, 0) & Relation::Label) && --entry == 0) {
            *target = std::move(sibling);
            return NavigatedToInterface;
        }
    }
    if (parent->relationTo(0, this, 0) & Relation::Label) {
        *target = std::move(parent);
        return NavigatedToInterface;
    }
    return NavigationFailed;
}

quint32 QAccessibleHostObject::relationTo(int child, const QAccessibleHostObject *other, int otherChild) const
{
    if (m_askingInterface == this || !other || !other->object() || !object())
        return Relation::Unrelated;

    quint32 result = Relation::Unrelated;
    m_askingInterface = this;
    const quint32 inverse = other->relationTo(otherChild, this, child);
    m_askingInterface = nullptr;
    if (inverse & Relation::Label)
        result |= Relation::Labelled;

    QObject *own = object();
    QObject *theirs = other->object();
    result |= extraRelationTo(other);

    if (own == theirs) {
        if (child == 0 && otherChild == 0)
            return result | Relation::Self;
        if (child == 0)
            return result | Relation::Ancestor;
        if (otherChild == 0)
            return result | Relation::Child;
    }
    if (own->parent() && theirs == own->parent())
        return result | Relation::Child;

    if (effectiveParent(own) == effectiveParent(theirs)) {
        result |= Relation::Sibling;
        const QRect mine = rect(0);
        const QRect their = other->rect(0);
        if (mine.intersects(their)) {
            HostInterfacePtr parent;
            other->navigate(Relation::Ancestor, 1, &parent);
            if (parent && !(state(0) & State::Invisible) && !(other->state(0) & State::Invisible)) {
                result |= parent->indexOfChild(other) < parent->indexOfChild(this)
                    ? Relation::Covers : Relation::Covered;
            }
        } else {
            const QPoint a = mine.center();
            const QPoint b = their.center();
            if (a.x() < b.x())
                result |= Relation::Left;
            else if (a.x() > b.x())
                result |= Relation::Right;
            if (a.y() < b.y())
                result |= Relation::Up;
            else if (a.y() > b.y())
                result |= Relation::Down;
        }
        return result;
    }

    for (QObject *p = own->parent(); p; p = p->parent()) {
        if (p == theirs)
            return result | Relation::Descendent;
    }
    for (QObject *p = theirs->parent(); p; p = p->parent()) {
        if (p == own)
            return result | Relation::Ancestor;
    }
    return result;
}

quint32 QAccessibleHostObject::extraRelationTo(const QAccessibleHostObject *) const
{
    return Relation::Unrelated;
}

void QAccessibleHostObject::setNameText(int, const QString &) {}
void QAccessibleHostObject::setValueText(int, const QString &) {}
bool QAccessibleHostObject::doDefaultAction(int) { return true; }
bool QAccessibleHostObject::doSetFocusAction(int) { return true; }
