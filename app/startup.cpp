#include "app/startup.h"

#include "app/pictureaccessible.h"
#include "app/pictures.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <mutex>
#include <string_view>

namespace app {

namespace {

// Whether the environment names a display: an X display, a Wayland socket or session (whose
// compositor libwayland finds at its default socket), or a platform of Qt's.
bool displayInEnvironment()
{
#ifdef Q_OS_WIN
    return true;
#else
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_SOCKET") ||
           qgetenv("XDG_SESSION_TYPE") == "wayland" ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#endif
}

bool isOneOf(std::string_view arg, std::initializer_list<std::string_view> options)
{
    return std::ranges::find(options, arg) != options.end();
}

// Writable, as QApplication takes them; it only reorders the pointers.
char platformOption[] = "-platform";
char offscreenPlatform[] = "offscreen";

QtMessageHandler qtHandler = nullptr;

void oneLineOnFailure(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    // The platform plugin may have started a thread of its own by the time it warns.
    static std::mutex mutex;
    static QString reason;
    const std::lock_guard lock(mutex);
    switch (type) {
    case QtDebugMsg:
        qtHandler(type, context, text);
        break;
    case QtInfoMsg:
        break;
    case QtWarningMsg:
    case QtCriticalMsg:
        if (reason.isEmpty())
            reason = text.simplified();
        break;
    case QtFatalMsg:
        cannotStart(reason.isEmpty() ? text.section(QLatin1Char('\n'), 0, 0) : reason);
        std::_Exit(EXIT_FAILURE);
    }
}

} // namespace

Arguments::Arguments(int argc, char *argv[])
    : m_displayNamed(displayInEnvironment()), m_values(argv, argv + argc), m_count(argc)
{
    bool helpOrVersion = false;
    for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i) {
        const std::string_view arg = argv[i];
        // Qt takes its own options with one dash or two.
        if (isOneOf(arg, {"-platform", "--platform", "-display", "--display"}))
            m_displayNamed = true;
        if (isOneOf(arg, {"-h", "--help", "--help-all", "-v", "--version"}))
            helpOrVersion = true;
    }
#ifdef Q_OS_WIN
    // Windows always has its display, and the packages ship its platform plugin alone.
    helpOrVersion = false;
#endif
    if (!m_displayNamed || helpOrVersion) {
        m_values.insert(m_values.end(), {platformOption, offscreenPlatform});
        m_count += 2;
    }
    m_values.push_back(nullptr);
}

void reportStartFailureInOneLine()
{
    qtHandler = qInstallMessageHandler(oneLineOnFailure);
}

int cannotStart(const QString &reason)
{
    std::fprintf(stderr, "%s: cannot start: %s\n", applicationName, qUtf8Printable(reason));
    return EXIT_FAILURE;
}

void setUpApplication()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(applicationName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(applicationVersion));
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
