// The runtime services the game uses outside its windows: the clock and the wait, random numbers,
// the message box, the program's directory and ending the program. Each one can be replaced by a
// test (see TestRuntime.h), so that tests never wait real time, draw their own random numbers,
// answer message boxes and keep the players file in a folder of their own.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace platform {

// Blocks the running handler for `seconds`: no other handler runs meanwhile, clicks and keys
// queue up and are handled afterwards. Sleeps until the deadline on a monotonic clock, so a wait
// costs no CPU and ends on time also across midnight.
void Wait(double seconds);
// The real wait behind Wait, for hooks that measure it.
void SleepSeconds(double seconds);

// Reseeds the random generator from a high-resolution clock (not while QUILVARO_RANDOM_SEED
// fixes the numbers, see Runtime.cpp).
void Reseed();
// A uniform random number in [0, 1).
double Random();

enum class MessageIcon { None, Critical, Question, Warning, Information };
// A modal message box with one OK button. Texts are shown as plain text, never as markup.
void ShowMessage(const QString& text, MessageIcon icon, const QString& title);

// The directory of the running program, without a trailing separator.
QString ProgramDir();
// The same directory as the system names it, in bytes, which need not be valid text and may be
// longer than a path the system opens in one piece; empty when it cannot be found.
QByteArray ProgramDirBytes();
// The per-user data folder used when the folder beside the program cannot keep the players file:
// $XDG_DATA_HOME, or ~/.local/share, with the organization and program name. A relative
// XDG_DATA_HOME is ignored, and without HOME the home comes from the password database; empty
// when there is no home.
QString UserDataPath();
// The user's settings folder, $XDG_CONFIG_HOME or ~/.config, by the same rules; empty when there is
// no home.
QString UserConfigPath();

// Ends the program at once, closing every window.
void EndProgram();
// From now on SIGTERM, SIGHUP and SIGINT (a logout, a closed terminal, Ctrl+C) end the program as
// EndProgram() does, once the handler under way is over: a save finishes first and leaves no
// temporary file, and the lock on the players file is released. Needs the application object.
void EndOnSignals();

// The replaceable parts of the runtime. A null member means "use the real service".
struct RuntimeHooks {
    std::function<void(double)> wait;
    std::function<void()> reseed;
    std::function<double()> random;
    std::function<void(const QString&, MessageIcon, const QString&)> showMessage;
    std::function<QString()> programDir;
    std::function<QByteArray()>
        programDirBytes;  // when null, the bytes of programDir when that is set
    std::function<QString()> userDataPath;
    std::function<QString()> userConfigPath;
    std::function<void()> endProgram;
};

// Installs hooks and returns the ones they replace.
RuntimeHooks SetRuntimeHooks(RuntimeHooks hooks);
RuntimeHooks& CurrentRuntimeHooks();

}  // namespace platform
