// What the program sets up before its first window: its identity, icon and typefaces.
#pragma once

class QCommandLineParser;

namespace app {

inline constexpr auto applicationName = "Prizewell";
inline constexpr auto applicationVersion = "1.00";

// The name and version the command line prints. Needs no QApplication: the program sets them
// before making one, so that they are there even if it cannot be made.
void setIdentity();

// Call once, after the QApplication exists and before any window is made. Sets the identity too.
void setUpApplication();

// The game's options: --help, --help-all and --version.
void configureCommandLine(QCommandLineParser &parser);

// Answers --help, --help-all and --version, and refuses options it does not know, by ending
// the program before any window opens; otherwise returns and the game starts. Call after
// setUpApplication(): the name and version it prints come from there. Qt's own options are
// taken by the QApplication before; positional arguments (a file a launcher passes) are ignored.
void processCommandLine();

} // namespace app
