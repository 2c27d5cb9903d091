#include "vexcontrols.h"
#include <QGraphicsProxyWidget>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextEdit>

VexLineEdit::VexLineEdit(QGraphicsItem *parentItem)
    : VexWidget(parentItem)
{
    setFocusPolicy(Qt::StrongFocus);
}

void VexLineEdit::setFocus(bool focus)
{
    if (focus)
        QGraphicsWidget::setFocus(Qt::OtherFocusReason);
    else
        clearFocus();
}

void VexLineEdit::keyPressEvent(QKeyEvent *event)
{
    VexWidget::keyPressEvent(event);
    if (m_readOnly)
        return;
    if (event->key() == Qt::Key_Backspace) {
        m_text.chop(1);
    } else if (event->key() == Qt::Key_Return) {
        emit returnPressed();
    } else if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        m_text += event->text();
        emit textEdited(m_text);
    }
}

VexNativeLineEdit::VexNativeLineEdit(QGraphicsItem *parentItem)
    : VexWidget(parentItem)
{
    setFocusPolicy(Qt::StrongFocus);
}

void VexPushButton::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    VexWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()))
        emit clicked();
}

VexComboBox::VexComboBox(QGraphicsItem *parentItem)
    : VexWidget(parentItem)
    , m_model(new QStandardItemModel(this))
{
}

void VexComboBox::setCurrentIndex(int index)
{
    m_currentIndex = index;
    if (m_lineEdit && index >= 0 && index < m_model->rowCount())
        m_lineEdit->setText(m_model->item(index)->text());
}

void VexScrollBar::setSliderPosition(qreal position)
{
    m_position = qBound<qreal>(m_minimum, position, m_maximum);
}

VexTextEdit::VexTextEdit(QGraphicsItem *parentItem)
    : VexWidget(parentItem)
    , m_proxy(new QGraphicsProxyWidget(this))
    , m_edit(new QTextEdit)
{
    // The proxy is a graphics child only: it stays out of the QObject tree,
    // as the framework's own drawing helpers do.
    m_proxy->setWidget(m_edit);
    setFocusPolicy(Qt::StrongFocus);
}

QString VexTextEdit::toText() const { return m_edit->toPlainText(); }
void VexTextEdit::setText(const QString &text) { m_edit->setPlainText(text); }
bool VexTextEdit::isReadOnly() const { return m_edit->isReadOnly(); }
void VexTextEdit::setReadOnly(bool readOnly) { m_edit->setReadOnly(readOnly); }
QScrollBar *VexTextEdit::verticalScrollBar() const { return m_edit->verticalScrollBar(); }

void VexTextEdit::resizeEvent(QGraphicsSceneResizeEvent *event)
{
    VexWidget::resizeEvent(event);
    m_proxy->resize(size());
}
