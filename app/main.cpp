#include "app/fontconfigwarmup.h"
#include "app/program.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    app::FontconfigWarmUp fonts;
    QApplication application(argc, argv);
    app::setUpApplication();
    // Before the command line, which may end the program: never with the reader still running.
    fonts.wait();
    app::processCommandLine();
    Program program;
    program.show();
    return QApplication::exec();
}
