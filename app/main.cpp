#include "app/displayguard.h"
#include "app/fontconfigwarmup.h"
#include "app/program.h"
#include "app/startup.h"

#include <QApplication>

#include <optional>

int main(int argc, char *argv[])
{
    app::FontconfigWarmUp fonts;
    app::setIdentity();
    // Never with the reader still running, whichever way the program ends.
    std::optional<app::DisplayGuard> noDisplay(std::in_place, [&fonts] { fonts.wait(); });
    QApplication application(argc, argv);
    noDisplay.reset();
    app::setUpApplication();
    // Before the command line, which may end the program: never with the reader still running.
    fonts.wait();
    app::processCommandLine();
    Program program;
    program.show();
    return QApplication::exec();
}
