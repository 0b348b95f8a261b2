#include "app/program.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // With no display named, the command line is still answered, on Qt's offscreen platform.
    app::Arguments arguments(argc, argv);
    app::reportStartFailureInOneLine();
    QApplication application(arguments.count(), arguments.values());
    qInstallMessageHandler(nullptr);
    app::setUpApplication();
    app::processCommandLine(); // --help, --version and unknown options end the program here
    if (!arguments.displayNamed())
        return app::cannotStart(
            QStringLiteral("no display: neither DISPLAY nor WAYLAND_DISPLAY is set"));
    Program program;
    program.show();
    return QApplication::exec();
}
