// What happens before the first window: the command line, and whether there is a display to open
// a window on. Both are decided on a QCoreApplication, so --help, --version and the errors work on
// a machine without any display.
#pragma once

#include <optional>

namespace qv {

// Reads the command line. Returns the exit status when the program should end here (after
// --help or --version, a bad option, or no display to show the game on), nothing when the game
// should start. Qt's own options (-platform, -style, -reverse...) pass through to QApplication.
std::optional<int> HandleCommandLine(int& argc, char** argv);

// While a guard lives, a fatal error from Qt (a display that cannot be reached) prints one line
// and ends the program with status 1 instead of aborting; Qt's other messages wait and are passed
// on when the guard ends, so a start that succeeds loses none of them.
class StartupGuard {
  public:
    StartupGuard();
    ~StartupGuard();
    StartupGuard(const StartupGuard&) = delete;
    StartupGuard& operator=(const StartupGuard&) = delete;
};

}  // namespace qv
