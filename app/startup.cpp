#include "app/startup.h"

#include "app/pictureaccessible.h"
#include "app/pictures.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>

namespace app {

void setIdentity()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(applicationName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(applicationVersion));
}

void setUpApplication()
{
    setIdentity();
    // The desktop entry's id: the Wayland app id, so the shell shows the entry's icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral(PRIZEWELL_APP_ID));
    // No application display name: Qt would append it to every window title.
    QApplication::setWindowIcon(pictures::applicationIcon());
    QAccessible::installFactory(&PictureBoxAccessible::factory);

    // The windows are laid out for these faces. Where they are missing, metric-compatible
    // faces keep every caption inside its box; left to fontconfig, MS Sans Serif would fall
    // back to a wider face and clip.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    // The forms' face is the program's face: what a control lays out before it takes its form's
    // font (a line edit does) and the message box then use the face already resolved, and no
    // second face is looked up and opened before the first frame.
    QApplication::setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
}

void configureCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("A one-player quiz-show game: answer fifteen questions and bank every "
                       "winning in the barrel."));
    parser.addHelpOption();
    parser.addVersionOption();
}

void processCommandLine()
{
    QCommandLineParser parser;
    configureCommandLine(parser);
    parser.process(QCoreApplication::arguments());
}

} // namespace app
