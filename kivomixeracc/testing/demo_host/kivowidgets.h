// The host application's own Kivo… widgets, as far as the bridge knows them
// (by class name and properties only). Test fixture shared by the unit
// tests and the demo host.
#pragma once
#include <QList>
#include <QObject>
#include <QRect>
#include <vexcontrols.h>
#include <vexhptree.h>
#include <vexitemviews.h>

class KivoLoginWidget : public VexWidget
{
    Q_OBJECT
public:
    explicit KivoLoginWidget(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
public slots:
    void onUserNameLineEditTextChanged(const QString &text) { record(QStringLiteral("onUserNameLineEditTextChanged(%1)").arg(text)); }
    void on_passwordLineEdit_textEdited(const QString &text) { record(QStringLiteral("on_passwordLineEdit_textEdited(%1)").arg(text)); }
};

class KivoChannelUserTreeWidget : public VexHPTreeWidget
{
    Q_OBJECT
    Q_PROPERTY(QList<bool> userVIPRoles READ userVIPRoles WRITE setUserVIPRoles)
public:
    explicit KivoChannelUserTreeWidget(QGraphicsItem *parentItem = nullptr) : VexHPTreeWidget(parentItem) {}
    QList<bool> userVIPRoles() const { return m_vip; }
    void setUserVIPRoles(const QList<bool> &roles) { m_vip = roles; }
private:
    QList<bool> m_vip;
};

// A chat view whose links are reported as (kind, id).
class KivoChatTextEdit : public VexTextEdit
{
    Q_OBJECT
public:
    explicit KivoChatTextEdit(QGraphicsItem *parentItem = nullptr) : VexTextEdit(parentItem) {}
public slots:
    void linkClicked(const QString &kind, const QString &id) { record(QStringLiteral("linkClicked(%1,%2)").arg(kind, id)); }
};

class KivoTabItem : public VexAbstractViewItem
{
    Q_OBJECT
public:
    explicit KivoTabItem(QGraphicsItem *parentItem = nullptr) : VexAbstractViewItem(parentItem) {}
};

class KivoMicphoneSettingItem : public VexWidget
{
    Q_OBJECT
    Q_PROPERTY(bool checked MEMBER m_checked)
public:
    explicit KivoMicphoneSettingItem(QGraphicsItem *parentItem = nullptr) : VexWidget(parentItem) {}
private:
    bool m_checked = false;
};

// A tool button that the host draws inside its parent, at "geometry".
class KivoToolWidget : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QRect geometry MEMBER m_geometry)
public:
    explicit KivoToolWidget(QObject *parent = nullptr) : QObject(parent) {}
private:
    QRect m_geometry;
};

class KivoCanvas : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString elementsStringData MEMBER m_data)
public:
    explicit KivoCanvas(QObject *parent = nullptr) : QObject(parent) {}
private:
    QString m_data;
};

class KivoPageItem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString backgroundImageInfo MEMBER m_info)
public:
    explicit KivoPageItem(QObject *parent = nullptr) : QObject(parent) {}
private:
    QString m_info;
};
