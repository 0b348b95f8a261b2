// The game's own start-up, as main() does it, ending after the main window's first paint.
#include "app/form1.h"
#include "app/program.h"
#include "app/startup.h"
#include "bench/firstpaint.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    app::setUpApplication();
    Program program;
    FirstPaint::watch(&program.form1());
    program.show();
    return QApplication::exec();
}
