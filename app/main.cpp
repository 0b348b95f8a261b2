#include "app/fontconfigwarmup.h"
#include "app/program.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    app::FontconfigWarmUp fonts;
    QApplication application(argc, argv);
    app::setUpApplication();
    fonts.wait();
    Program program;
    program.show();
    return QApplication::exec();
}
