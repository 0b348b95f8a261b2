// What the program sets up before its first window: its command line, identity, icon and
// typefaces, and what it says when it cannot start.
#pragma once

#include <vector>

class QCommandLineParser;
class QString;

namespace app {

inline constexpr auto applicationName = "Prizewell";
inline constexpr auto applicationVersion = "1.00";

// The arguments to make the QApplication with: the program's own and, where they ask for help or
// the version (on Linux) or where no display is named at all, neither in the environment nor by
// Qt's -platform and -display, Qt's offscreen platform after them, so that the command line is
// answered whatever the display.
class Arguments
{
public:
    Arguments(int argc, char *argv[]);

    // What QApplication takes: both must outlive it.
    int &count() { return m_count; }
    char **values() { return m_values.data(); }
    [[nodiscard]] bool displayNamed() const { return m_displayNamed; }

private:
    bool m_displayNamed;
    std::vector<char *> m_values;
    int m_count;
};

// Until Qt's default handler is put back (qInstallMessageHandler(nullptr)): a display Qt cannot
// reach, or a platform plugin it cannot load, ends the program with one line and status 1. Qt
// reports either as a fatal error from inside QApplication's constructor, after a warning that
// says why; that first warning is the line's reason, and no destructor runs against the
// half-built application. Debug messages someone asked for are printed as usual.
void reportStartFailureInOneLine();

// Prints "Prizewell: cannot start: REASON" on one line and returns the exit status for it.
int cannotStart(const QString &reason);

// Call once, after the QApplication exists and before any window is made.
void setUpApplication();

// The game's options: --help, --help-all and --version.
void configureCommandLine(QCommandLineParser &parser);

// Answers --help, --help-all and --version, and refuses options it does not know, by ending
// the program before any window opens; otherwise returns and the game starts. Call after
// setUpApplication(): the name and version it prints come from there. Qt's own options are
// taken by the QApplication before; positional arguments (a file a launcher passes) are ignored.
void processCommandLine();

} // namespace app
