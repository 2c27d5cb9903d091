// Commands written to a graphics widget as its value text. The first rule
// whose test matches decides; a text that is no command is a value entered
// into the widget. Commands never report failure.
#include "classtest.h"
#include "graphicswidget.h"
#include "inputsimulation.h"
#include "postinvoke.h"
#include <QGraphicsSceneMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>
#include <vexcontrols.h>
#include <vextreeview.h>

using namespace kivoacc;

namespace {

// A decimal number inside a command; anything unreadable counts as 0.
int commandNumber(const QString &text, int from)
{
    return text.mid(from).toInt();
}

Qt::KeyboardModifiers modifiersFromCode(int code)
{
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (code & 0x1)
        modifiers |= Qt::AltModifier;
    if (code & 0x2)
        modifiers |= Qt::ControlModifier;
    if (code & 0x4)
        modifiers |= Qt::ShiftModifier;
    return modifiers;
}

// Clicks the cell (row, column) of the tree view's real tree view, when the
// tree view is shown and the cell exists.
void clickTreeCell(VexTreeView *tree, int row, int column, bool doubleClick, bool rightButton,
                   Qt::KeyboardModifiers modifiers)
{
    QStandardItemModel *model = tree->model();
    QTreeView *real = tree->realTreeView();
    if (!tree->isVisible() || !model || !real || row < 0 || column < 0
        || row >= model->rowCount() || column >= model->columnCount())
        return;
    const QPoint centre = real->visualRect(model->index(row, column)).center();
    simulateWidgetClick(real->viewport(), centre.x(), centre.y(), doubleClick, rightButton, modifiers);
}

void invoke(QObject *target, const char *method)
{
    if (target)
        QMetaObject::invokeMethod(target, method, Qt::DirectConnection);
}

void invoke(QObject *target, const char *method, const QString &text)
{
    if (target)
        QMetaObject::invokeMethod(target, method, Qt::DirectConnection, Q_ARG(QString, text));
}

void rightClick(QGraphicsWidget *o, const QString &text)
{
    if (text.size() > 12) {
        const int n = commandNumber(text, 13);
        if (auto *tree = qobject_cast<VexTreeView *>(o))
            clickTreeCell(tree, n, 1, false, true, Qt::NoModifier);
        else if (qobject_cast<VexGridWidget *>(o))
            postInvoke(o, QStringLiteral("contextMenu"), {n});
        else if (qobject_cast<VexPushButton *>(o))
            simulateChildWidgetClick(o, -1, -1, false, true);
        return;
    }
    if (text != QLatin1String("$Right-Click"))
        return;
    // An edit is backed by a native control as well as drawn in the scene:
    // it gets both clicks.
    if (qobject_cast<VexTextEdit *>(o) || qobject_cast<VexLineEdit *>(o))
        simulateChildWidgetClick(o, -1, -1, false, true);
    if (inheritsClass(o, "VexTabItem"))
        simulateChildWidgetClick(o, -1, -1, false, true);
    else
        simulateSceneClick(o, -1, -1, false, true, Qt::NoModifier);
}

void leftClick(QGraphicsWidget *o, int child, const QString &text)
{
    if (text == QLatin1String("$Left-Click")) {
        simulateSceneClick(o, -1, -1, false, false, Qt::NoModifier);
        return;
    }
    auto *tree = qobject_cast<VexTreeView *>(o);
    if (!tree)
        return;
    int row = child - 1;
    int column = 0;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    static const QRegularExpression full(QStringLiteral("^\\$Left-Click:(\\d+):(\\d+):(\\d+)$"));
    static const QRegularExpression rowOnly(QStringLiteral("^\\$Left-Click:(\\d+)$"));
    QRegularExpressionMatch m = full.match(text);
    if (m.hasMatch()) {
        row = m.captured(1).toInt();
        column = m.captured(2).toInt();
        modifiers = modifiersFromCode(m.captured(3).toInt() & 0xff);
    } else if ((m = rowOnly.match(text)).hasMatch()) {
        row = m.captured(1).toInt();
    }
    if (row == -1)
        return;
    clickTreeCell(tree, row, column, false, false, modifiers);
}

void doubleClick(QGraphicsWidget *o, const QString &text)
{
    if (text == QLatin1String("$Double-Click")) {
        simulateSceneClick(o, -1, -1, true, false, Qt::NoModifier);
        return;
    }
    if (auto *tree = qobject_cast<VexTreeView *>(o))
        clickTreeCell(tree, commandNumber(text, 14), 1, true, false, Qt::NoModifier);
}

void setFocus(QGraphicsWidget *o)
{
    if (auto *w = qobject_cast<VexNativeLineEdit *>(o))
        w->setFocus();
    else if (qobject_cast<VexEditLabel *>(o))
        o->QGraphicsItem::setFocus(Qt::OtherFocusReason);
    else if (auto *w = qobject_cast<VexTextEdit *>(o))
        w->setFocus();
    else if (auto *w = qobject_cast<VexLineEdit *>(o))
        w->setFocus(true);
    else if (auto *w = qobject_cast<VexComboBox *>(o)) {
        if (w->lineEdit())
            w->lineEdit()->setFocus(true);
    } else if (o->focusPolicy() != Qt::NoFocus)
        o->setFocus(Qt::OtherFocusReason);
}

void mouseClick(QGraphicsWidget *o, const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\$MouseClick:(\\d+):(\\d+):(\\d+):(\\d+)$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return;
    simulateSceneClick(o, m.captured(1).toInt(), m.captured(2).toInt(),
                       m.captured(3).toInt() > 0, m.captured(4).toInt() > 0, Qt::NoModifier);
}

void setScrollPos(QGraphicsWidget *o, const QString &text)
{
    const int v = commandNumber(text, 14) - 1;
    if (auto *tree = qobject_cast<VexTreeView *>(o)) {
        QStandardItemModel *model = tree->model();
        QTreeView *real = tree->realTreeView();
        if (tree->isVisible() && model && real && v >= 0 && v < model->rowCount())
            real->scrollTo(model->index(v, 1), QAbstractItemView::EnsureVisible);
    } else if (auto *edit = qobject_cast<VexTextEdit *>(o)) {
        if (QScrollBar *bar = edit->verticalScrollBar())
            bar->setSliderPosition(int(double(bar->maximum() - bar->minimum()) * v / 100.0));
    } else if (auto *bar = qobject_cast<VexScrollBar *>(o)) {
        bar->setSliderPosition(double(bar->maximum() - bar->minimum()) * v / 100.0);
    } else if (auto *area = qobject_cast<VexScrollArea *>(o)) {
        area->setScrollPos(v);
    }
}

void enterComboBoxValue(VexComboBox *combo, const QString &text)
{
    if (text.startsWith(QLatin1String("Select:"))) {
        const int n = commandNumber(text, 7);
        combo->setCurrentIndex(n);
        QMetaObject::invokeMethod(combo, "onDropDownListClicked", Qt::DirectConnection, Q_ARG(int, n));
    } else if (combo->objectName() == QLatin1String("userNameComboBox")) {
        if (combo->lineEdit())
            combo->lineEdit()->setText(text);
        invoke(ancestorNamed(combo, QStringLiteral("loginWidget")), "onUserNameLineEditTextChanged", text);
    } else if (combo->objectName() == QLatin1String("nickNamesComb")) {
        if (combo->lineEdit())
            combo->lineEdit()->setText(text);
        invoke(combo, "onEditTextChanged", text);
    }
}

void enterLineEditValue(VexLineEdit *edit, const QString &text)
{
    edit->setText(text);
    const QString name = edit->objectName();
    static const QStringList editedNames = {
        QStringLiteral("channelNameEdit"), QStringLiteral("microOrderEdit"),
        QStringLiteral("peopleNumberLimitEdit"), QStringLiteral("channelCardSuffix"),
        QStringLiteral("channelCardPrefix"),
    };
    if (name == QLatin1String("editpages"))
        invoke(edit, "returnPressed");
    else if (name == QLatin1String("searchInputLineEdit"))
        invoke(edit, "textChanged", text);
    else if (editedNames.contains(name))
        invoke(edit, "textEdited", text);
    else if (name == QLatin1String("addClassNameEdit"))
        postInvoke(edit, QStringLiteral("textEdited"), {text});
}

void enterTextEditValue(VexTextEdit *edit, const QString &text)
{
    if (!text.startsWith(QLatin1String("$Link:"))) {
        edit->setText(text);
        return;
    }
    const QStringList parts = text.mid(6).split(QLatin1Char('-'));
    if (parts.size() == 2 && lastMethodNamed(edit, QStringLiteral("linkClicked")) >= 0)
        postInvoke(edit, QStringLiteral("linkClicked"), {parts.at(0), parts.at(1)});
}

} // namespace

void QAccessibleGraphicsWidget::runGraphicsWidgetCommand(int child, const QString &text)
{
    QGraphicsWidget *o = graphicsWidget(child);
    if (!o)
        return;

    if (text.startsWith(QLatin1String("$Right-Click"))) {
        rightClick(o, text);
    } else if (text.startsWith(QLatin1String("$Left-Click"))) {
        leftClick(o, child, text);
    } else if (text.startsWith(QLatin1String("$Double-Click"))) {
        doubleClick(o, text);
    } else if (text.startsWith(QLatin1String("$Key-Input"))) {
        // Through the virtual operation, so that a class's own focus
        // handling applies; the object may be gone afterwards.
        QPointer<QGraphicsWidget> guard(o);
        setValueText(child, QStringLiteral("$Set-Focus"));
        if (guard)
            simulateKeyInput(guard, text.mid(10));
    } else if (text == QLatin1String("$Set-Focus")) {
        setFocus(o);
    } else if (text.startsWith(QLatin1String("$MouseClick:"))) {
        mouseClick(o, text);
    } else if (text.startsWith(QLatin1String("$SetScrollPos:"))) {
        setScrollPos(o, text);
    } else if (auto *w = qobject_cast<VexEditLabel *>(o)) {
        w->setText(text);
        invoke(w, "submit");
        invoke(w, "on_frameWindow_captionAreaClicked");
    } else if (auto *w = qobject_cast<VexComboBox *>(o)) {
        enterComboBoxValue(w, text);
    } else if (inheritsClass(o, "VexNativeLineEdit")) {
        if (o->objectName() == QLatin1String("passwordLineEdit")) {
            o->setProperty("realText", text);
            invoke(ancestorNamed(o, QStringLiteral("loginWidget")), "on_passwordLineEdit_textEdited", text);
        } else {
            o->setProperty("text", text);
        }
    } else if (auto *w = qobject_cast<VexLineEdit *>(o)) {
        enterLineEditValue(w, text);
    } else if (qobject_cast<VexGridWidget *>(o)) {
        if (object())
            QMetaObject::invokeMethod(object(), "itemClicked", Qt::DirectConnection, Q_ARG(int, text.toInt()));
    } else if (auto *w = qobject_cast<VexTextEdit *>(o)) {
        enterTextEditValue(w, text);
    } else if (qobject_cast<VexHtmlItemWidget *>(o)) {
        if (text.startsWith(QLatin1String("$Link:")))
            postInvoke(o, QStringLiteral("linkActivated"), {text.mid(6)});
    }
}
