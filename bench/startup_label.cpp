// The other baseline for start-up: a bare Qt Widgets program whose window is one label the size
// of the game's main window. Unlike a window holding a label, it asks for no size hint before
// it maps, so its fonts are loaded after the map; timed from outside as the game is.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Prizewell"));
    label.resize(457, 431);
    label.show();
    return QApplication::exec();
}
