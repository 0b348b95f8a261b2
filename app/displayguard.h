// Start-up without a display: the command line is still answered, and the game says why it
// cannot start instead of aborting.
#pragma once

#include <functional>

namespace app {

// While it lives, a QApplication that reaches no display (no DISPLAY, no Wayland socket, a
// server that is gone) does not abort with a core dump. Qt reports that as a fatal error from
// inside the QApplication's constructor; the guard then answers --help, --help-all, --version
// and unknown options as the game would, and otherwise prints one line saying why the game
// cannot start and exits with status 1. `beforeExit` runs first.
//
// Qt's warnings meanwhile are held back: where the display is reached they are passed on when
// the guard goes, unchanged; where it is not, the one line stands for them.
class DisplayGuard
{
public:
    explicit DisplayGuard(std::function<void()> beforeExit);
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;
};

} // namespace app
