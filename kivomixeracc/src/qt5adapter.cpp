#include "qt5adapter.h"
#include <QCoreApplication>
#include <QGraphicsObject>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QWidget>
#include <QWindow>

using namespace kivoacc;

namespace {

QAccessibleInterface *qtInterfaceOf(const HostInterfacePtr &iface)
{
    return iface && iface->object() ? QAccessible::queryAccessibleInterface(iface->object()) : nullptr;
}

QWidget *hostWidgetOf(QObject *object)
{
    if (!object)
        return nullptr;
    if (object->isWidgetType())
        return static_cast<QWidget *>(object);
    QGraphicsScene *scene = qobject_cast<QGraphicsScene *>(object);
    if (!scene) {
        if (auto *item = qobject_cast<QGraphicsObject *>(object))
            scene = item->scene();
    }
    if (scene && !scene->views().isEmpty())
        return scene->views().first();
    return nullptr;
}

} // namespace

AccessibleAdapter::AccessibleAdapter(HostInterfacePtr host)
    : m_host(std::move(host))
{
}

AccessibleAdapter::AccessibleAdapter(const AccessibleAdapter *owner, int childId)
    : m_owner(owner)
    , m_childId(childId)
{
}

AccessibleAdapter::~AccessibleAdapter()
{
    // At process exit Qt's interface cache deletes everything itself and may
    // already be gone; only hand sub-elements back while the application runs.
    if (!QCoreApplication::instance())
        return;
    for (QAccessible::Id id : qAsConst(m_subElements))
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleHostObject *AccessibleAdapter::host() const
{
    return m_owner ? m_owner->m_host.get() : m_host.get();
}

QAccessibleInterface *AccessibleAdapter::subElement(int childId) const
{
    auto it = m_subElements.constFind(childId);
    if (it != m_subElements.constEnd())
        return QAccessible::accessibleInterface(*it);
    auto *iface = new AccessibleAdapter(this, childId);
    m_subElements.insert(childId, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

bool AccessibleAdapter::isValid() const
{
    QAccessibleHostObject *h = host();
    return h && h->isValid() && (m_childId == 0 || m_childId <= h->childCount());
}

QObject *AccessibleAdapter::object() const
{
    return m_childId == 0 && host() ? host()->object() : nullptr;
}

QWindow *AccessibleAdapter::window() const
{
    QWidget *widget = hostWidgetOf(host() ? host()->object() : nullptr);
    return widget ? widget->window()->windowHandle() : nullptr;
}

QAccessibleInterface *AccessibleAdapter::focusChild() const
{
    if (m_childId != 0 || !host())
        return nullptr;
    HostInterfacePtr target;
    if (host()->navigate(Relation::FocusChild, 1, &target) != NavigatedToInterface)
        return nullptr;
    QAccessibleInterface *iface = qtInterfaceOf(target);
    return iface == this ? nullptr : iface;
}

QAccessibleInterface *AccessibleAdapter::childAt(int x, int y) const
{
    if (m_childId != 0 || !host())
        return nullptr;
    const int id = host()->childAt(x, y);
    return id > 0 ? child(id - 1) : nullptr;
}

QAccessibleInterface *AccessibleAdapter::parent() const
{
    if (m_owner)
        return const_cast<AccessibleAdapter *>(m_owner);
    if (!host())
        return nullptr;
    HostInterfacePtr target;
    if (host()->navigate(Relation::Ancestor, 1, &target) != NavigatedToInterface)
        return nullptr;
    return qtInterfaceOf(target);
}

QAccessibleInterface *AccessibleAdapter::child(int index) const
{
    if (m_childId != 0 || !host() || index < 0)
        return nullptr;
    HostInterfacePtr target;
    const int result = host()->navigate(Relation::Child, index + 1, &target);
    if (result == NavigatedToInterface)
        return qtInterfaceOf(target);
    if (result > 0)
        return subElement(result);
    return nullptr;
}

int AccessibleAdapter::childCount() const
{
    return m_childId == 0 && host() ? host()->childCount() : 0;
}

int AccessibleAdapter::indexOfChild(const QAccessibleInterface *wanted) const
{
    if (!wanted)
        return -1;
    const int count = childCount();
    for (int i = 0; i < count; ++i) {
        if (child(i) == wanted)
            return i;
    }
    return -1;
}

QString AccessibleAdapter::text(QAccessible::Text t) const
{
    return host() ? host()->text(int(t), m_childId) : QString();
}

void AccessibleAdapter::setText(QAccessible::Text t, const QString &text)
{
    if (host())
        host()->setText(int(t), m_childId, text);
}

QRect AccessibleAdapter::rect() const
{
    return host() ? host()->rect(m_childId) : QRect();
}

QAccessible::Role AccessibleAdapter::role() const
{
    return host() ? QAccessible::Role(host()->role(m_childId)) : QAccessible::NoRole;
}

QAccessible::State AccessibleAdapter::toQtState(quint32 s)
{
    QAccessible::State state;
    state.disabled = bool(s & State::Unavailable);
    state.focused = bool(s & State::Focused);
    state.readOnly = bool(s & State::ReadOnly);
    state.invisible = bool(s & State::Invisible);
    state.sizeable = bool(s & State::Sizeable);
    state.movable = bool(s & State::Movable);
    state.focusable = bool(s & State::Focusable);
    state.extSelectable = bool(s & State::ExtSelectable);
    state.passwordEdit = bool(s & State::Protected);
    return state;
}

QAccessible::State AccessibleAdapter::state() const
{
    return toQtState(host() ? host()->state(m_childId) : 0);
}

void *AccessibleAdapter::interface_cast(QAccessible::InterfaceType type)
{
    switch (type) {
    case QAccessible::ActionInterface: return static_cast<QAccessibleActionInterface *>(this);
    case QAccessible::TextInterface: return static_cast<QAccessibleTextInterface *>(this);
    case QAccessible::EditableTextInterface: return static_cast<QAccessibleEditableTextInterface *>(this);
    case QAccessible::ValueInterface: return static_cast<QAccessibleValueInterface *>(this);
    default: return nullptr;
    }
}

QStringList AccessibleAdapter::actionNames() const
{
    return {pressAction(), setFocusAction()};
}

void AccessibleAdapter::doAction(const QString &actionName)
{
    if (!host())
        return;
    if (actionName == pressAction())
        host()->doAction(Action::DefaultAction, m_childId);
    else if (actionName == setFocusAction())
        host()->doAction(Action::SetFocus, m_childId);
}

QStringList AccessibleAdapter::keyBindingsForAction(const QString &) const
{
    return QStringList();
}

QString AccessibleAdapter::valueText() const
{
    return host() ? host()->text(Text::Value, m_childId) : QString();
}

void AccessibleAdapter::writeValueText(const QString &text)
{
    if (host())
        host()->setText(Text::Value, m_childId, text);
}

void AccessibleAdapter::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

int AccessibleAdapter::selectionCount() const { return 0; }
void AccessibleAdapter::addSelection(int, int) {}
void AccessibleAdapter::removeSelection(int) {}
void AccessibleAdapter::setSelection(int, int, int) {}
int AccessibleAdapter::cursorPosition() const { return 0; }
void AccessibleAdapter::setCursorPosition(int) {}

QString AccessibleAdapter::text(int startOffset, int endOffset) const
{
    const QString value = valueText();
    const int start = qBound(0, startOffset, value.size());
    const int end = endOffset < 0 ? value.size() : qBound(start, endOffset, value.size());
    return value.mid(start, end - start);
}

int AccessibleAdapter::characterCount() const { return valueText().size(); }
QRect AccessibleAdapter::characterRect(int) const { return QRect(); }
int AccessibleAdapter::offsetAtPoint(const QPoint &) const { return -1; }
void AccessibleAdapter::scrollToSubstring(int, int) {}

QString AccessibleAdapter::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = offset;
    *endOffset = offset;
    return QString();
}

void AccessibleAdapter::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void AccessibleAdapter::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void AccessibleAdapter::replaceText(int startOffset, int endOffset, const QString &text)
{
    const QString value = valueText();
    const int start = qBound(0, startOffset, value.size());
    const int end = endOffset < 0 ? value.size() : qBound(start, endOffset, value.size());
    // Replacing everything is how clients write a command; keep it exact.
    if (start == 0 && end == value.size()) {
        writeValueText(text);
        return;
    }
    QString edited = value;
    edited.replace(start, end - start, text);
    writeValueText(edited);
}

QVariant AccessibleAdapter::currentValue() const { return valueText(); }
void AccessibleAdapter::setCurrentValue(const QVariant &value) { writeValueText(value.toString()); }
QVariant AccessibleAdapter::maximumValue() const { return QVariant(); }
QVariant AccessibleAdapter::minimumValue() const { return QVariant(); }
QVariant AccessibleAdapter::minimumStepSize() const { return QVariant(); }
