// Demo host: stands in for the mixer application. Like the real program it
// loads the accessibility bridge by file name at run time and calls
// initKivoAT() once, after Qt is running.
//
// Usage: kivo_demo_host [path-to-bridge-library]
// Prints "READY" once its event loop runs, then one line per event.
#include "demowindow.h"
#include <QApplication>
#include <QLibrary>
#include <QTextStream>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KivoMixer"));
    QTextStream out(stdout);

    const QStringList args = QApplication::arguments();
    const QString bridgePath = args.size() > 1
        ? args.at(1)
        : QApplication::applicationDirPath() + QStringLiteral("/kivomixeracc");
    QLibrary bridge(bridgePath);
    using InitFunction = void (*)();
    auto init = reinterpret_cast<InitFunction>(bridge.resolve("initKivoAT"));
    if (!init) {
        QTextStream(stderr) << "cannot load the bridge: " << bridge.errorString() << '\n';
        return 2;
    }
    init();

    DemoWindow window;
    window.show();
    QTimer::singleShot(0, [&out] {
        out << "READY" << '\n';
        out.flush();
    });
    return app.exec();
}
