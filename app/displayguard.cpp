#include "app/displayguard.h"

#include "app/startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace app {

namespace {

// A message held back with what its context pointed to, which need not outlive the call.
struct HeldMessage
{
    QtMsgType type;
    std::string file;
    int line;
    std::string function;
    std::string category;
    QString text;
};

struct GuardState
{
    std::mutex mutex;
    QtMessageHandler previous = nullptr;
    QList<HeldMessage> held;
    std::function<void()> beforeExit;
};

GuardState &state()
{
    static GuardState s;
    return s;
}

std::string copy(const char *s)
{
    return s ? std::string(s) : std::string();
}

// Why the game cannot start, on one line: where no display is named, that; otherwise what Qt
// said first, which names the display or the platform it could not open.
QString reason(const QString &fatal)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return QStringLiteral("no display: neither DISPLAY nor WAYLAND_DISPLAY is set");
    std::lock_guard lock(state().mutex);
    const QList<HeldMessage> &held = state().held;
    const auto telling = std::ranges::find_if(
        held, [](const HeldMessage &m) { return m.type != QtDebugMsg && m.type != QtInfoMsg; });
    if (telling != held.end())
        return telling->text.simplified();
    return fatal.section(QLatin1Char('\n'), 0, 0).simplified();
}

[[noreturn]] void cannotStart(const QString &fatal)
{
    if (state().beforeExit)
        state().beforeExit();
    // The command line first: asking for help or the version needs no display, and a wrong
    // option is the player's mistake to hear about before the display is. Qt's own options have
    // been taken out of the arguments by now. These end the program here.
    QCommandLineParser parser;
    configureCommandLine(parser);
    parser.process(QCoreApplication::arguments());

    const QString line =
        QCoreApplication::applicationName() + QStringLiteral(": cannot start: ") + reason(fatal);
    std::fprintf(stderr, "%s\n", qUtf8Printable(line));
    std::exit(EXIT_FAILURE);
}

void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg)
        cannotStart(text);
    std::lock_guard lock(state().mutex);
    state().held.append({.type = type,
                         .file = copy(context.file),
                         .line = context.line,
                         .function = copy(context.function),
                         .category = copy(context.category),
                         .text = text});
}

} // namespace

DisplayGuard::DisplayGuard(std::function<void()> beforeExit)
{
    GuardState &s = state();
    s.beforeExit = std::move(beforeExit);
    s.previous = qInstallMessageHandler(handle);
}

DisplayGuard::~DisplayGuard()
{
    GuardState &s = state();
    qInstallMessageHandler(s.previous);
    std::lock_guard lock(s.mutex);
    for (const HeldMessage &m : std::as_const(s.held)) {
        const QMessageLogContext context(m.file.empty() ? nullptr : m.file.c_str(), m.line,
                                         m.function.empty() ? nullptr : m.function.c_str(),
                                         m.category.empty() ? nullptr : m.category.c_str());
        s.previous(m.type, context, m.text);
    }
    s.held.clear();
    s.beforeExit = nullptr;
}

} // namespace app
