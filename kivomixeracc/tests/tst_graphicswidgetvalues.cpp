// Value texts of graphics widgets: each row builds one widget the way the
// host would set it up and names the value an accessibility client reads.
#include "graphicswidget.h"
#include "hostfixture.h"
#include <QStandardItemModel>
#include <QTextDocument>
#include <functional>
#include <kivowidgets.h>
#include <vextreeview.h>

using Builder = std::function<QGraphicsWidget *()>;
Q_DECLARE_METATYPE(Builder)

class GraphicsWidgetValues : public QObject
{
    Q_OBJECT
private slots:
    void value_data();
    void value();
};

namespace {

template <typename T>
T *named(const QString &name)
{
    auto *w = new T;
    w->setObjectName(name);
    return w;
}

VexComboBox *comboBox(const QString &current, const QStringList &rows, bool enabled)
{
    auto *combo = new VexComboBox;
    auto *edit = new VexLineEdit(combo);
    edit->setText(current);
    combo->setLineEdit(edit);
    for (const QString &row : rows)
        combo->model()->appendRow(new QStandardItem(row));
    combo->setEnabled(enabled);
    return combo;
}

} // namespace

void GraphicsWidgetValues::value_data()
{
    QTest::addColumn<Builder>("build");
    QTest::addColumn<QString>("expected");

    QTest::newRow("password edit with text is masked") << Builder([] {
        auto *w = named<VexNativeLineEdit>("passwordLineEdit");
        w->setText("abc");
        return w;
    }) << "*****";
    QTest::newRow("empty password edit is empty") << Builder([] {
        return named<VexNativeLineEdit>("passwordLineEdit");
    }) << "";
    QTest::newRow("capital P is no password edit") << Builder([] {
        auto *w = named<VexNativeLineEdit>("PasswordLineEdit");
        w->setText("abc");
        return w;
    }) << "abc";
    QTest::newRow("line edit text") << Builder([] {
        auto *w = new VexLineEdit;
        w->setText("hello");
        return w;
    }) << "hello";
    QTest::newRow("edit label text") << Builder([] {
        auto *w = new VexEditLabel;
        w->setText("title");
        return w;
    }) << "title";
    QTest::newRow("radio button checked") << Builder([] {
        auto *w = new VexRadioButton;
        w->setText("Mic");
        w->setCheckState(Qt::Checked);
        return w;
    }) << "$Checked|Mic";
    QTest::newRow("radio button partially checked counts as unchecked") << Builder([] {
        auto *w = new VexRadioButton;
        w->setText("Mic");
        w->setCheckState(Qt::PartiallyChecked);
        return w;
    }) << "$Unchecked|Mic";
    QTest::newRow("check box checked") << Builder([] {
        auto *w = new VexCheckBox;
        w->setText("ignored caption");
        w->setCheckState(Qt::Checked);
        return w;
    }) << "Checked";
    QTest::newRow("check box unchecked") << Builder([] { return new VexCheckBox; }) << "Unchecked";
    QTest::newRow("checked push button") << Builder([] {
        auto *w = new VexPushButton;
        w->setText("Record");
        w->setChecked(true);
        return w;
    }) << "$Checked|Record";
    QTest::newRow("push button without text uses its fallback caption") << Builder([] {
        auto *w = new VexPushButton;
        w->setSecondaryCaption("Settings");
        return w;
    }) << "$Unchecked|Settings";
    QTest::newRow("slider keeps two decimals") << Builder([] {
        auto *w = new VexSliderWidget;
        w->setValue(7.5);
        return w;
    }) << "7.50";
    QTest::newRow("scroll bar position") << Builder([] {
        auto *w = new VexScrollBar;
        w->setRange(0, 200);
        w->setSliderPosition(100);
        return w;
    }) << "100.00";
    QTest::newRow("html label plate text") << Builder([] {
        auto *w = new VexHtmlLabelWidget;
        w->setPlateText("plain");
        return w;
    }) << "plain";
    QTest::newRow("tree view cells: tab after each, line feed after each row") << Builder([] {
        auto *w = new VexTreeView;
        w->model()->appendRow({new QStandardItem("a"), new QStandardItem("b")});
        auto *tipOnly = new QStandardItem;
        tipOnly->setToolTip("tip");
        w->model()->appendRow({new QStandardItem("c"), tipOnly});
        return w;
    }) << "a\tb\t\nc\ttip\t\n";
    QTest::newRow("text edit") << Builder([] {
        auto *w = new VexTextEdit;
        w->setText("line one");
        return w;
    }) << "line one";
    QTest::newRow("combo box: current first, other rows after") << Builder([] {
        return comboBox("bob", {"alice", "bob", "carol"}, true);
    }) << "bob alice carol";
    QTest::newRow("disabled combo box lists every row") << Builder([] {
        return comboBox("bob", {"alice", "bob"}, false);
    }) << "bob alice bob";
    QTest::newRow("combo box with empty current has no leading space") << Builder([] {
        return comboBox("", {"alice", "bob"}, true);
    }) << "alice bob";
    QTest::newRow("combo box without line edit") << Builder([] {
        auto *w = new VexComboBox;
        w->model()->appendRow(new QStandardItem("alice"));
        return w;
    }) << "";
    QTest::newRow("image with path") << Builder([] {
        auto *w = new VexImageWidget;
        w->setImagePath("skin/a.png");
        return w;
    }) << "$imagePath:skin/a.png";
    QTest::newRow("image without path or url") << Builder([] { return new VexImageWidget; }) << "";
    QTest::newRow("image with an empty url property") << Builder([] {
        auto *w = new VexAnimationWidget;
        w->setProperty("imageUrl", QString());
        return w;
    }) << "$imageUrl:";
    QTest::newRow("html item without document") << Builder([] { return new VexHtmlItemWidget; }) << "";
    QTest::newRow("html item plain text") << Builder([] {
        auto *w = new VexHtmlItemWidget;
        auto *doc = new QTextDocument(w);
        doc->setHtml("<b>bold</b> text");
        w->setDocument(doc);
        return w;
    }) << "bold text";
    QTest::newRow("tab item") << Builder([] {
        auto *w = new VexTabItem;
        w->setText("Chat");
        return w;
    }) << "Chat";
    QTest::newRow("progress bar") << Builder([] {
        auto *w = new VexProgressBar;
        w->setValue(42);
        return w;
    }) << "42";
    QTest::newRow("microphone item without bar") << Builder([] {
        auto *w = new KivoMicphoneSettingItem;
        w->setProperty("checked", true);
        return w;
    }) << "$Checked";
    QTest::newRow("plain widget") << Builder([] { return new VexWidget; }) << "";
}

void GraphicsWidgetValues::value()
{
    QFETCH(Builder, build);
    QFETCH(QString, expected);
    std::unique_ptr<QGraphicsWidget> widget(build());
    HostInterfacePtr acc = iface(widget.get());
    QVERIFY(dynamic_cast<QAccessibleGraphicsWidget *>(acc.get()));
    QCOMPARE(acc->text(kivoacc::Text::Value, 0), expected);
}

QTEST_MAIN(GraphicsWidgetValues)
#include "tst_graphicswidgetvalues.moc"
