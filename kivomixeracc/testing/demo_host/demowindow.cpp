#include "demowindow.h"
#include "kivowidgets.h"
#include <QAction>
#include <QGraphicsScene>
#include <QStandardItem>
#include <QTextStream>
#include <vextreeview.h>

namespace {

template <typename T>
T *place(const QString &name, const QRectF &geometry, VexWidget *parent, QGraphicsScene *scene)
{
    auto *w = new T(parent);
    if (!parent)
        w->addToScene(scene);
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
}

} // namespace

DemoWindow::DemoWindow()
{
    setObjectName(QStringLiteral("kivoMainWindow"));
    setWindowTitle(QStringLiteral("Kivo伴侣"));
    resize(800, 600);
    build();
}

void DemoWindow::printEvent(const QString &object, const QString &what)
{
    QTextStream out(stdout);
    out << "EVENT " << object << ' ' << what << '\n';
    out.flush();
}

void DemoWindow::report(VexWidget *widget)
{
    connect(widget, &VexWidget::inputReceived, this,
            [widget](const QString &entry) { printEvent(widget->objectName(), entry); });
}

void DemoWindow::build()
{
    QGraphicsScene *s = scene();

    auto *login = place<KivoLoginWidget>("loginWidget", QRectF(10, 10, 380, 160), nullptr, s);
    report(login);
    auto *userName = place<VexComboBox>("userNameComboBox", QRectF(10, 10, 200, 24), login, s);
    auto *userNameEdit = place<VexLineEdit>("userNameEdit", QRectF(0, 0, 180, 24), userName, s);
    userName->setLineEdit(userNameEdit);
    for (const char *name : {"ann", "bob", "cid"})
        userName->model()->appendRow(new QStandardItem(QString::fromLatin1(name)));
    report(userName);
    place<VexNativeLineEdit>("passwordLineEdit", QRectF(10, 44, 200, 24), login, s);
    auto *nickNames = place<VexComboBox>("nickNamesComb", QRectF(10, 78, 200, 24), login, s);
    nickNames->setLineEdit(place<VexLineEdit>("nickNameEdit", QRectF(0, 0, 180, 24), nickNames, s));
    report(nickNames);
    auto *loginButton = place<VexPushButton>("loginButton", QRectF(220, 10, 80, 30), login, s);
    loginButton->setText(QStringLiteral("登录"));
    connect(loginButton, &VexPushButton::clicked, this, [] { printEvent("loginButton", "clicked"); });

    auto *users = place<KivoChannelUserTreeWidget>("channelUsers", QRectF(400, 10, 200, 200), nullptr, s);
    users->model()->addFolder(QStringLiteral("大厅"));
    users->model()->addItem(QStringLiteral("ann"));
    users->model()->addItem(QStringLiteral("bob"));
    users->model()->addFolder(QStringLiteral("VIP"));
    users->model()->addItem(QStringLiteral("cid"));
    users->setUserVIPRoles({false, false, true});
    report(users);

    auto *channelTree = place<VexTreeWidget>("channelTreeWidget", QRectF(10, 180, 200, 100), nullptr, s);
    auto *channels = place<VexTreeItemContainer>("channelTreeContainer", QRectF(0, 0, 200, 720), channelTree, s);
    for (int i = 0; i < 30; ++i) {
        auto *item = new VexTreeViewItem;
        item->setFolder(i % 10 == 0);
        auto *model = new QStandardItem(QStringLiteral("频道%1").arg(i));
        item->setModelItem(model);
        m_modelItems.emplace_back(model);
        channels->addItem(item);
    }
    report(channels);
    report(channelTree);

    auto *messages = place<VexListWidget>("messageList", QRectF(220, 180, 170, 100), nullptr, s);
    auto *inform = new VexInformItem;
    auto *informModel = new QStandardItem;
    informModel->setData(true, 33);
    informModel->setData(QStringLiteral("静音"), 34);
    m_modelItems.emplace_back(informModel);
    inform->setModelItem(informModel);
    messages->container()->addItem(inform);

    auto *tab = place<VexTab>("mainTab", QRectF(10, 300, 400, 24), nullptr, s);
    for (const char *text : {"首页", "频道", "消息", "音乐", "设置"})
        tab->addTab(QString::fromUtf8(text));
    connect(tab, &VexTab::currentChanged, this, [](int index) { printEvent("mainTab", QStringLiteral("current %1").arg(index)); });

    auto *chat = place<KivoChatTextEdit>("chatEdit", QRectF(10, 340, 300, 100), nullptr, s);
    report(chat);
    auto *search = place<VexLineEdit>("searchInputLineEdit", QRectF(320, 340, 200, 24), nullptr, s);
    connect(search, &VexLineEdit::textEdited, this, [](const QString &text) { printEvent("searchInputLineEdit", "typed " + text); });
    connect(search, &VexLineEdit::textChanged, this, [](const QString &text) { printEvent("searchInputLineEdit", "changed " + text); });

    auto *volume = place<VexScrollBar>("volumeBar", QRectF(620, 10, 16, 200), nullptr, s);
    volume->setRange(0, 200);
    auto *slider = place<VexSliderWidget>("volumeSlider", QRectF(640, 10, 100, 16), nullptr, s);
    slider->setValue(7.5);

    auto *scores = place<VexTreeView>("scoreTable", QRectF(320, 380, 300, 150), nullptr, s);
    scores->model()->appendRow({new QStandardItem("ann"), new QStandardItem("12")});
    scores->model()->appendRow({new QStandardItem("bob"), new QStandardItem("7")});

    auto *menu = new VexMenu(this);
    menu->setObjectName(QStringLiteral("mainMenu"));
    QAction *mute = menu->addAction(QStringLiteral("静音"));
    mute->setObjectName(QStringLiteral("muteAction"));
    mute->setCheckable(true);
    mute->setChecked(true);
    menu->addAction(QStringLiteral("录音"))->setObjectName(QStringLiteral("recordAction"));
}
