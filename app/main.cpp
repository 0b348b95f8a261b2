#include "app/program.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    app::setUpApplication();
    app::processCommandLine();
    Program program;
    program.show();
    return QApplication::exec();
}
