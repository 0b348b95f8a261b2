// The baseline for start-up: a bare Qt Widgets program with one window the size of the game's
// main window and one label, timed from outside as the game is.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(457, 431);
    QLabel label(QStringLiteral("Prizewell"), &window);
    window.show();
    return QApplication::exec();
}
