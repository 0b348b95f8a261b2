// What the program sets up before its first window: its identity, icon and typefaces.
#pragma once

namespace app {

inline constexpr auto applicationName = "Prizewell";
inline constexpr auto applicationVersion = "1.00";

// Call once, after the QApplication exists and before any window is made.
void setUpApplication();

// Answers --help, --help-all and --version, and refuses options it does not know, by ending
// the program before any window opens; otherwise returns and the game starts. Call after
// setUpApplication(): the name and version it prints come from there. Qt's own options are
// taken by the QApplication before; positional arguments (a file a launcher passes) are ignored.
void processCommandLine();

} // namespace app
