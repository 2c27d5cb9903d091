// Stand-in Vexkit controls: labels, edits, buttons, combo box, slider,
// scroll bar and scroll area, images, progress bar, grid. Only what the
// accessibility bridge reads or calls is here, under the framework's names.
#pragma once
#include "vexwidget.h"
#include <QPointer>
#include <QStandardItemModel>

#include <QTextDocument>
class QTextEdit;
class QScrollBar;
class QGraphicsProxyWidget;

class VEXKIT_EXPORT VexLabelWidget : public VexWidget
{
    Q_OBJECT
public:
    explicit VexLabelWidget(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
private:
    QString m_text;
};

class VEXKIT_EXPORT VexEditLabel : public VexWidget
{
    Q_OBJECT
public:
    explicit VexEditLabel(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
public slots:
    void submit() { record(QStringLiteral("submit")); }
    void on_frameWindow_captionAreaClicked() { record(QStringLiteral("on_frameWindow_captionAreaClicked")); }
private:
    QString m_text;
};

class VEXKIT_EXPORT VexLineEdit : public VexWidget
{
    Q_OBJECT
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
public:
    explicit VexLineEdit(QGraphicsItem *parentItem = nullptr);
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // The framework's focus call; true gives keyboard focus.
    void setFocus(bool focus);
signals:
    void returnPressed();
    void textChanged(const QString &text);
    void textEdited(const QString &text);
protected:
    void keyPressEvent(QKeyEvent *event) override;
private:
    QString m_text;
    bool m_readOnly = false;
};

// An edit that the framework backs with a native control; its text lives in
// properties only. "realText" is the clear text of a password edit.
class VEXKIT_EXPORT VexNativeLineEdit : public VexWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(QString realText READ realText WRITE setRealText)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
public:
    explicit VexNativeLineEdit(QGraphicsItem *parentItem = nullptr);
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    QString realText() const { return m_realText; }
    void setRealText(const QString &text) { m_realText = text; m_text = text; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    void setFocus() { QGraphicsWidget::setFocus(Qt::OtherFocusReason); }
private:
    QString m_text;
    QString m_realText;
    bool m_readOnly = false;
};

class VEXKIT_EXPORT VexCheckBox : public VexWidget
{
    Q_OBJECT
public:
    explicit VexCheckBox(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    Qt::CheckState checkState() const { return m_state; }
    void setCheckState(Qt::CheckState state) { m_state = state; }
private:
    QString m_text;
    Qt::CheckState m_state = Qt::Unchecked;
};

class VEXKIT_EXPORT VexRadioButton : public VexWidget
{
    Q_OBJECT
public:
    explicit VexRadioButton(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    Qt::CheckState checkState() const { return m_state; }
    void setCheckState(Qt::CheckState state) { m_state = state; }
private:
    QString m_text;
    Qt::CheckState m_state = Qt::Unchecked;
};

class VEXKIT_EXPORT VexPushButton : public VexWidget
{
    Q_OBJECT
    Q_PROPERTY(bool checked READ isChecked WRITE setChecked)
public:
    explicit VexPushButton(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    bool isChecked() const { return m_checked; }
    void setChecked(bool checked) { m_checked = checked; }
    // The caption a button without text shows (its icon's caption).
    virtual QString secondaryCaption() const { return m_secondaryCaption; }
    void setSecondaryCaption(const QString &caption) { m_secondaryCaption = caption; }
signals:
    void clicked();
protected:
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
private:
    QString m_text;
    QString m_secondaryCaption;
    bool m_checked = false;
};

class VEXKIT_EXPORT VexComboBox : public VexWidget
{
    Q_OBJECT
public:
    explicit VexComboBox(QGraphicsItem *parentItem = nullptr);
    VexLineEdit *lineEdit() const { return m_lineEdit; }
    void setLineEdit(VexLineEdit *edit) { m_lineEdit = edit; }
    QStandardItemModel *model() const { return m_model; }
    int currentIndex() const { return m_currentIndex; }
    void setCurrentIndex(int index);
public slots:
    void onDropDownListClicked(int index) { record(QStringLiteral("onDropDownListClicked(%1)").arg(index)); }
    void onEditTextChanged(const QString &text) { record(QStringLiteral("onEditTextChanged(%1)").arg(text)); }
private:
    QPointer<VexLineEdit> m_lineEdit;
    QStandardItemModel *m_model;
    int m_currentIndex = -1;
};

class VEXKIT_EXPORT VexHtmlLabelWidget : public VexWidget
{
    Q_OBJECT
public:
    explicit VexHtmlLabelWidget(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    QString plateText() const { return m_plateText; }
    void setPlateText(const QString &text) { m_plateText = text; }
private:
    QString m_plateText;
};

class VEXKIT_EXPORT VexHtmlItemWidget : public VexWidget
{
    Q_OBJECT
public:
    explicit VexHtmlItemWidget(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    QTextDocument *document() const { return m_document; }
    void setDocument(QTextDocument *document) { m_document = document; }
signals:
    void linkActivated(const QString &link);
private:
    QPointer<QTextDocument> m_document;
};

class VEXKIT_EXPORT VexSliderWidget : public VexWidget
{
    Q_OBJECT
public:
    explicit VexSliderWidget(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    qreal value() const { return m_value; }
    void setValue(qreal value) { m_value = value; }
private:
    qreal m_value = 0;
};

class VEXKIT_EXPORT VexScrollBar : public VexWidget
{
    Q_OBJECT
public:
    explicit VexScrollBar(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    void setRange(int minimum, int maximum) { m_minimum = minimum; m_maximum = maximum; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    qreal sliderPosition() const { return m_position; }
    void setSliderPosition(qreal position);
private:
    int m_minimum = 0;
    int m_maximum = 100;
    qreal m_position = 0;
};

class VEXKIT_EXPORT VexScrollArea : public VexWidget
{
    Q_OBJECT
public:
    explicit VexScrollArea(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    int scrollPos() const { return m_scrollPos; }
    void setScrollPos(int position) { m_scrollPos = position; }
private:
    int m_scrollPos = 0;
};

class VEXKIT_EXPORT VexImageWidget : public VexWidget
{
    Q_OBJECT
    Q_PROPERTY(QString imagePath READ imagePath WRITE setImagePath)
public:
    explicit VexImageWidget(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    QString imagePath() const { return m_imagePath; }
    void setImagePath(const QString &path) { m_imagePath = path; }
private:
    QString m_imagePath;
};

class VEXKIT_EXPORT VexAnimationWidget : public VexImageWidget
{
    Q_OBJECT
public:
    explicit VexAnimationWidget(QGraphicsItem *parentItem = nullptr) : VexImageWidget(parentItem) {}
};

class VEXKIT_EXPORT VexProgressBar : public VexWidget
{
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue)
public:
    explicit VexProgressBar(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    int value() const { return m_value; }
    void setValue(int value) { m_value = value; }
private:
    int m_value = 0;
};

class VEXKIT_EXPORT VexTabItem : public VexWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    explicit VexTabItem(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
    QString text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
private:
    QString m_text;
};

class VEXKIT_EXPORT VexGridWidget : public VexWidget
{
    Q_OBJECT
public:
    explicit VexGridWidget(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
public slots:
    void itemClicked(int index) { record(QStringLiteral("itemClicked(%1)").arg(index)); }
    void contextMenu(int row) { record(QStringLiteral("contextMenu(%1)").arg(row)); }
};

// A rich text edit; the framework draws a QTextEdit inside the item.
class VEXKIT_EXPORT VexTextEdit : public VexWidget
{
    Q_OBJECT
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
public:
    explicit VexTextEdit(QGraphicsItem *parentItem = nullptr);
    QString toText() const;
    void setText(const QString &text);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    void setFocus() { QGraphicsWidget::setFocus(Qt::OtherFocusReason); }
    QScrollBar *verticalScrollBar() const;
    QTextEdit *textEdit() const { return m_edit; }
protected:
    void resizeEvent(QGraphicsSceneResizeEvent *event) override;
private:
    QGraphicsProxyWidget *m_proxy;
    QTextEdit *m_edit;
};
