// QAccessibleHostObject: base of the bridge's thirteen accessible classes.
//
// The classes keep the per-child-id API: child id 0 is the object itself,
// 1..childCount() its children or sub-elements, negative ids are invalid.
// They are plain C++ objects; Qt 5 sees them only through the adapter in
// qt5adapter.h. Every query reads the host object afresh.
//
// Ordering rules:
// - text(), setText() and doAction() dispatch to the own virtual operations
//   (nameText … helpText, setNameText/setValueText, doDefaultAction/
//   doSetFocusAction); derived classes override those, not the dispatchers.
// - navigate() dispatches by relation to navigateSelf … navigateController
//   and to the shared geometric searches; a derived class changes a
//   relation by overriding its navigate… operation.
// - navigate() returns NavigationFailed (-1), NavigatedToInterface (0) with
//   a fresh interface in the target, or a positive sub-element number with
//   the target left empty.
#pragma once
#include "accessibleconstants.h"
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <memory>

class QAccessibleHostObject;
using HostInterfacePtr = std::unique_ptr<QAccessibleHostObject>;

class QAccessibleHostObject
{
public:
    explicit QAccessibleHostObject(QObject *object);
    virtual ~QAccessibleHostObject();
    QAccessibleHostObject(const QAccessibleHostObject &) = delete;
    QAccessibleHostObject &operator=(const QAccessibleHostObject &) = delete;

    bool isValid() const { return !m_object.isNull(); }
    QObject *object() const { return m_object.data(); }

    // Stands in for the real parent in ancestor navigation; passed on by
    // self, child and ancestor navigation.
    QObject *parentOverride() const { return m_parentOverride.data(); }
    void setParentOverride(QObject *object) { m_parentOverride = object; }

    virtual int childCount() const;
    virtual int indexOfChild(const QAccessibleHostObject *child) const;
    virtual int childAt(int x, int y) const;

    QString text(int type, int child) const;
    void setText(int type, int child, const QString &text);
    bool doAction(int action, int child);
    int navigate(quint32 relation, int entry, HostInterfacePtr *target) const;
    virtual quint32 relationTo(int child, const QAccessibleHostObject *other, int otherChild) const;

    virtual int role(int child) const;
    virtual quint32 state(int child) const;
    virtual QRect rect(int child) const;

    // Own virtual operations, in the order the classes add them.
    virtual QObject *childObject(int child) const;
    virtual QString nameText(int child) const;
    virtual QString descriptionText(int child) const;
    virtual QString helpText(int child) const;
    virtual QString valueText(int child) const;
    virtual int navigateSelf(HostInterfacePtr *target) const;
    virtual int navigateChild(int entry, HostInterfacePtr *target) const;
    virtual int navigateAncestor(int entry, HostInterfacePtr *target) const;
    virtual int navigateSibling(int entry, HostInterfacePtr *target) const;
    virtual int navigateFocusChild(int entry, HostInterfacePtr *target) const;
    virtual int navigateController(int entry, HostInterfacePtr *target) const;
    virtual void setNameText(int child, const QString &text);
    virtual void setValueText(int child, const QString &text);
    virtual bool doDefaultAction(int child);
    virtual bool doSetFocusAction(int child);

protected:
    // Relation additions of a class, or'ed into the shared result.
    virtual quint32 extraRelationTo(const QAccessibleHostObject *other) const;

    // The interface of another object, with this object's parentOverride.
    HostInterfacePtr interfaceWithOverride(QObject *object) const;

private:
    int navigateDirection(quint32 relation, HostInterfacePtr *target) const;
    int navigateOverlapping(quint32 relation, int entry, HostInterfacePtr *target) const;
    int navigateLabel(int entry, HostInterfacePtr *target) const;

    QPointer<QObject> m_object;
    QPointer<QObject> m_parentOverride;
    // Set to this object only while relationTo() asks the other side for the
    // inverse relation, so that the other side's question back returns 0.
    mutable const QAccessibleHostObject *m_askingInterface = nullptr;
};

namespace kivoacc {
// Runs the bridge's factories in their effective order (see factories.h).
HostInterfacePtr queryHostInterface(QObject *object);
}
