// The baseline: a bare Qt Widgets program with one window and one label.
#include "bench/firstpaint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    QLabel label(QStringLiteral("Prizewell"), &window);
    FirstPaint::watch(&window);
    window.show();
    return QApplication::exec();
}
