// The demo host's main window: a frame window with the Kivo… widgets that
// the bridge's command vocabulary names. Everything that reaches a widget
// is printed as one "EVENT <object name> <what>" line on standard output,
// so that an end-to-end test can check the effect of its commands.
#pragma once
#include <QStandardItem>
#include <memory>
#include <vector>
#include <vexwindows.h>

class VexWidget;

class DemoWindow : public VexFrameWindow
{
    Q_OBJECT
public:
    DemoWindow();

private:
    void build();
    void report(VexWidget *widget);
    static void printEvent(const QString &object, const QString &what);

    // Model items of the views; the views only point at them.
    std::vector<std::unique_ptr<QStandardItem>> m_modelItems;
};
