// Value texts of graphics widgets. The first class in the chain below that
// the object is decides, so subclasses come before their bases.
#include "classtest.h"
#include "graphicswidget.h"
#include <QStandardItemModel>
#include <QTextDocument>
#include <QVariant>
#include <vexcontrols.h>
#include <vextreeview.h>

namespace kivoacc {

namespace {

QString checkedPrefix(bool checked)
{
    return checked ? QStringLiteral("$Checked|") : QStringLiteral("$Unchecked|");
}

QString twoDecimals(double value)
{
    return QString::number(value, 'f', 2);
}

QString nativeLineEditValue(QObject *o)
{
    const QString text = o->property("text").toString();
    if (!o->objectName().contains(QLatin1String("password")))
        return text;
    return text.isEmpty() ? QString() : QStringLiteral("*****");
}

QString comboBoxValue(VexComboBox *combo)
{
    VexLineEdit *edit = combo->lineEdit();
    if (!edit)
        return QString();
    const QString current = edit->text();
    QString value = current;
    QStandardItemModel *model = combo->model();
    const int rows = model ? model->rowCount() : 0;
    for (int row = 0; row < rows; ++row) {
        const QString text = model->index(row, 0).data(Qt::DisplayRole).toString();
        if (combo->isEnabled() && text == current)
            continue;
        if (!value.isEmpty())
            value += QLatin1Char(' ');
        value += text;
    }
    return value;
}

QString treeViewValue(VexTreeView *tree)
{
    QStandardItemModel *model = tree->model();
    if (!model)
        return QString();
    QString value;
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            QVariant cell = index.data(Qt::DisplayRole);
            if (cell.isNull())
                cell = index.data(Qt::ToolTipRole);
            value += cell.toString() + QLatin1Char('\t');
        }
        value += QLatin1Char('\n');
    }
    return value;
}

QString pushButtonValue(VexPushButton *button)
{
    const QString text = button->text();
    return checkedPrefix(button->property("checked").toBool())
        + (text.isEmpty() ? button->secondaryCaption() : text);
}

QString imageValue(QObject *o)
{
    const QString path = o->property("imagePath").toString();
    if (!path.isEmpty())
        return QStringLiteral("$imagePath:") + path;
    const QVariant url = o->property("imageUrl");
    if (url.isValid())
        return QStringLiteral("$imageUrl:") + url.toString();
    return QString();
}

} // namespace

QString graphicsWidgetValue(QObject *o)
{
    if (!o)
        return QString();
    if (inheritsClass(o, "VexNativeLineEdit"))
        return nativeLineEditValue(o);
    if (auto *w = qobject_cast<VexEditLabel *>(o))
        return w->text();
    if (auto *w = qobject_cast<VexLineEdit *>(o))
        return w->text();
    if (auto *w = qobject_cast<VexLabelWidget *>(o))
        return w->text();
    if (inheritsClass(o, "KivoRichEditLabel") || inheritsClass(o, "KivoRichLabelWidget"))
        return o->property("text").toString();
    if (auto *w = qobject_cast<VexComboBox *>(o))
        return comboBoxValue(w);
    if (auto *w = qobject_cast<VexRadioButton *>(o))
        return checkedPrefix(w->checkState() == Qt::Checked) + w->text();
    if (auto *w = qobject_cast<VexCheckBox *>(o))
        return w->checkState() == Qt::Checked ? QStringLiteral("Checked") : QStringLiteral("Unchecked");
    if (auto *w = qobject_cast<VexHtmlLabelWidget *>(o))
        return w->plateText();
    if (auto *w = qobject_cast<VexSliderWidget *>(o))
        return twoDecimals(w->value());
    if (auto *w = qobject_cast<VexScrollBar *>(o))
        return twoDecimals(w->sliderPosition());
    if (auto *w = qobject_cast<VexTreeView *>(o))
        return treeViewValue(w);
    if (auto *w = qobject_cast<VexTextEdit *>(o))
        return w->toText();
    if (auto *w = qobject_cast<VexPushButton *>(o))
        return pushButtonValue(w);
    if (inheritsClass(o, "VexImageWidget") || inheritsClass(o, "VexAnimationWidget"))
        return imageValue(o);
    if (auto *w = qobject_cast<VexHtmlItemWidget *>(o))
        return w->document() ? w->document()->toPlainText() : QString();
    if (inheritsClass(o, "VexTabItem"))
        return o->property("text").toString();
    if (inheritsClass(o, "KivoVoiceProgressBar") || inheritsClass(o, "VexProgressBar"))
        return o->property("value").toString();
    if (inheritsClass(o, "KivoMicphoneSettingItem"))
        return o->property("checked").toBool() ? QStringLiteral("$Checked") : QStringLiteral("$Unchecked");
    if (inheritsClass(o, "KivoScrollingLableWidget"))
        return o->property("text").toString();
    return QString();
}

} // namespace kivoacc
