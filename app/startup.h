// What the program sets up before its first window: its identity, icon and typefaces.
#pragma once

namespace app {

inline constexpr auto applicationName = "Prizewell";
inline constexpr auto applicationVersion = "1.00";

// Call once, after the QApplication exists and before any window is made.
void setUpApplication();

} // namespace app
