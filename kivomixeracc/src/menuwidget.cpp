#include "menuwidget.h"
#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

using namespace kivoacc;

QAccessibleMenuWidget::QAccessibleMenuWidget(QObject *menu)
    : QAccessibleHostWidget(menu)
{
}

QMenu *QAccessibleMenuWidget::menu() const
{
    return qobject_cast<QMenu *>(object());
}

QAction *QAccessibleMenuWidget::actionAt(int child) const
{
    QMenu *m = menu();
    if (!m || child < 1 || child > m->actions().size())
        return nullptr;
    return m->actions().at(child - 1);
}

int QAccessibleMenuWidget::childCount() const
{
    return menu() ? menu()->actions().size() : 0;
}

int QAccessibleMenuWidget::navigateChild(int entry, HostInterfacePtr *) const
{
    const int children = object() ? object()->children().size() : 0;
    return entry >= 1 && entry <= children ? entry : NavigationFailed;
}

QRect QAccessibleMenuWidget::rect(int child) const
{
    QMenu *m = menu();
    if (!m)
        return QRect();
    if (child < 0) {
        qWarning("QAccessibleMenuWidget::rect: This implementation does not support subelements! (ID %d unknown for %s)",
                 child, m->metaObject()->className());
        return QRect();
    }
    if (child == 0)
        return m->geometry();
    QAction *action = actionAt(child);
    if (!action)
        return QRect();
    // Action geometry is menu-local; accessible rectangles are on the screen.
    const QRect local = m->actionGeometry(action);
    return QRect(m->mapToGlobal(local.topLeft()), local.size());
}

quint32 QAccessibleMenuWidget::state(int child) const
{
    QMenu *m = menu();
    quint32 s = QAccessibleHostWidget::state(child);
    if (!m)
        return s;
    if (!m->isVisible())
        s |= State::Unavailable;
    if (child == 0) {
        if (!m->isVisible())
            s |= State::Protected;
        if (!m->isEnabled())
            s |= State::Unavailable;
    } else if (QAction *action = actionAt(child)) {
        if (!action->isVisible())
            s |= State::Protected;
        if (!action->isEnabled())
            s |= State::Unavailable;
    }
    return s;
}

QString QAccessibleMenuWidget::nameText(int child) const
{
    if (QAction *action = actionAt(child))
        return action->objectName();
    return menu() ? menu()->objectName() : QString();
}

QString QAccessibleMenuWidget::valueText(int child) const
{
    if (QAction *action = actionAt(child)) {
        const bool checked = action->isCheckable() && action->isChecked();
        return (checked ? QStringLiteral("$Checked|") : QString()) + action->text();
    }
    return menu() ? menu()->objectName() : QString();
}

void QAccessibleMenuWidget::setValueText(int, const QString &text)
{
    QMenu *m = menu();
    if (!m || text != QLatin1String("$ESC"))
        return;
    QCoreApplication::postEvent(m, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), false, 1));
    QCoreApplication::postEvent(m, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(), false, 1));
}

bool QAccessibleMenuWidget::doDefaultAction(int child)
{
    QMenu *m = menu();
    QAction *action = actionAt(child);
    if (!m || !action)
        return false;
    const QPoint centre = m->actionGeometry(action).center();
    const QPoint global = m->mapToGlobal(centre);
    QCoreApplication::postEvent(m, new QMouseEvent(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QCoreApplication::postEvent(m, new QMouseEvent(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    return true;
}
