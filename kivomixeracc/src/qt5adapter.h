// AccessibleAdapter: the one place where the bridge meets Qt 5's
// accessibility. It presents one (bridge object, child id) pair as a
// QAccessibleInterface with the action, text, editable-text and value
// interfaces.
//
// Ownership and lifetime:
// - A factory returns the adapter for child id 0; it owns the bridge object
//   and Qt's cache owns the adapter (deleted when the host object dies).
// - Sub-elements (rows, items, actions: child ids > 0 that navigate()
//   reports as numbers) get adapters of their own, created on first use,
//   registered with Qt and deleted by the owning adapter's destructor. The
//   same child id always gives the same adapter.
// - Children that are objects of their own are handed out as Qt's
//   interface for that object (and so by the factories).
//
// Translation (see the README): Qt 5's 0-based child index i is child id
// i + 1; the bridge's states map bit by bit onto QAccessible::State;
// "Press" runs the default action and "SetFocus" the focus action; the text
// and value interfaces read the Value text, and writing them (replaceText,
// insertText, deleteText, setCurrentValue, setText(Value)) writes the Value
// text, which is where commands arrive.
#pragma once
#include "hostobject.h"
#include <QAccessible>
#include <QHash>

class AccessibleAdapter final : public QAccessibleInterface,
                                public QAccessibleActionInterface,
                                public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface,
                                public QAccessibleValueInterface
{
public:
    explicit AccessibleAdapter(HostInterfacePtr host);
    ~AccessibleAdapter() override;

    QAccessibleHostObject *host() const;
    int childId() const { return m_childId; }

    // QAccessibleInterface
    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QAccessibleInterface *focusChild() const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

    // QAccessibleTextInterface: a read-only view of the Value text.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface: every edit writes the whole Value text.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

    // QAccessibleValueInterface
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // The state translation, exposed for the tests.
    static QAccessible::State toQtState(quint32 bridgeState);

private:
    AccessibleAdapter(const AccessibleAdapter *owner, int childId);
    QAccessibleInterface *subElement(int childId) const;
    QString valueText() const;
    void writeValueText(const QString &text);

    const AccessibleAdapter *m_owner = nullptr;
    int m_childId = 0;
    HostInterfacePtr m_host;
    mutable QHash<int, QAccessible::Id> m_subElements;
};
