#include "platform/Runtime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTime>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <optional>
#include <random>
#include <thread>

#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

RuntimeHooks g_hooks;

// The running program's file as the system names it, in bytes. The link /proc/self/exe gives it
// up to the system's limit on a path; past that, the memory map still lists it whole.
QByteArray ProgramFile() {
#ifdef __linux__
    QByteArray name(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", name.data(), name.size());
    if (length > 0 && length < name.size())
        return name.left(length);
    struct stat program {};
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (::stat("/proc/self/exe", &program) != 0 || !maps.open(QIODevice::ReadOnly))
        return QByteArray();
    // address, permissions, offset, device, inode, then the path to the end of the line
    const QByteArray device = QByteArray::number(major(program.st_dev), 16).rightJustified(2, '0') +
                              ':' +
                              QByteArray::number(minor(program.st_dev), 16).rightJustified(2, '0');
    for (const QByteArray& line : maps.readAll().split('\n')) {
        QList<QByteArray> fields;
        qsizetype at = 0;
        while (fields.size() < 6 && at < line.size()) {
            while (at < line.size() && line[at] == ' ')
                ++at;
            const qsizetype end = fields.size() < 5 ? line.indexOf(' ', at) : line.size();
            fields << line.mid(at, (end < 0 ? line.size() : end) - at);
            at = end < 0 ? line.size() : end;
        }
        if (fields.size() == 6 && fields[3] == device &&
            fields[4].toULongLong() == program.st_ino && fields[5].startsWith('/'))
            return fields[5].replace("\\012", "\n");
    }
#endif
    return QByteArray();
}

// QUILVARO_RANDOM_SEED, a number, makes every game of a run draw the same balls: the generator
// starts from it and the clock never reseeds it. For scripted play (scripts/ci-orca).
const std::optional<std::uint64_t>& FixedSeed() {
    static const std::optional<std::uint64_t> seed = []() -> std::optional<std::uint64_t> {
        bool ok = false;
        const qulonglong value = qEnvironmentVariable("QUILVARO_RANDOM_SEED").toULongLong(&ok);
        return ok ? std::optional<std::uint64_t>(value) : std::nullopt;
    }();
    return seed;
}

std::mt19937_64& Generator() {
    static std::mt19937_64 generator{FixedSeed() ? *FixedSeed() : std::random_device{}()};
    return generator;
}

}  // namespace

RuntimeHooks SetRuntimeHooks(RuntimeHooks hooks) {
    return std::exchange(g_hooks, std::move(hooks));
}

RuntimeHooks& CurrentRuntimeHooks() {
    return g_hooks;
}

void Wait(double seconds) {
    if (g_hooks.wait) {
        g_hooks.wait(seconds);
        return;
    }
    SleepSeconds(seconds);
}

void SleepSeconds(double seconds) {
    if (!(seconds > 0.0))
        return;
#ifdef __linux__
    // The kernel may let a sleeping thread oversleep by its timer slack (50 microseconds unless
    // told otherwise) to save wake-ups; an animation step wants its deadline instead.
    static const bool slackSet = prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0) == 0;
    (void)slackSet;
#endif
    // The deadline is taken on the monotonic clock: it neither wraps at midnight nor jumps with
    // the wall clock. sleep_until resumes after an interrupted sleep until the deadline is reached.
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(seconds));
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_until(deadline);
    }
}

void Reseed() {
    if (g_hooks.reseed) {
        g_hooks.reseed();
        return;
    }
    if (FixedSeed())
        return;
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32)};
    Generator().seed(seed);
}

double Random() {
    if (g_hooks.random)
        return g_hooks.random();
    return std::uniform_real_distribution<double>(0.0, 1.0)(Generator());
}

QString ProgramDir() {
    if (g_hooks.programDir)
        return g_hooks.programDir();
    return QCoreApplication::applicationDirPath();
}

QByteArray ProgramDirBytes() {
    if (g_hooks.programDirBytes)
        return g_hooks.programDirBytes();
    if (g_hooks.programDir)
        return QFile::encodeName(g_hooks.programDir());
    QByteArray program = ProgramFile();
    const qsizetype slash = program.lastIndexOf('/');
    if (slash > 0)
        return program.left(slash);
    return slash == 0 ? QByteArrayLiteral("/")
                      : QFile::encodeName(QCoreApplication::applicationDirPath());
}

namespace {

// The user's home: HOME when it is an absolute path, else the account's from the password
// database; empty when there is none.
QString HomeFolder() {
    QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(home)) {
        const passwd* account = ::getpwuid(::getuid());
        home = account && account->pw_dir ? QFile::decodeName(account->pw_dir) : QString();
    }
    return QDir::isAbsolutePath(home) ? home : QString();
}

// An XDG base folder: `variable` when it is an absolute path (a relative one is invalid and
// ignored, as the XDG base directory rules have it), else `fallback` under the home.
QString BaseFolder(const char* variable, const QString& fallback) {
    const QString folder = qEnvironmentVariable(variable);
    if (QDir::isAbsolutePath(folder))
        return folder;
    const QString home = HomeFolder();
    return home.isEmpty() ? QString() : home + fallback;
}

}  // namespace

QString UserDataPath() {
    if (g_hooks.userDataPath)
        return g_hooks.userDataPath();
    QString data = BaseFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"));
    if (data.isEmpty())
        return data;
    for (const QString& part :
         {QCoreApplication::organizationName(), QCoreApplication::applicationName()}) {
        if (!part.isEmpty())
            data += QLatin1Char('/') + part;
    }
    return data;
}

QString UserConfigPath() {
    if (g_hooks.userConfigPath)
        return g_hooks.userConfigPath();
    return BaseFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"));
}

void ShowMessage(const QString& text, MessageIcon icon, const QString& title) {
    if (g_hooks.showMessage)
        g_hooks.showMessage(text, icon, title);
}

namespace {

int g_signalPipe[2] = {-1, -1};

void OnEndSignal(int) {
    const int error = errno;
    const char byte = 1;
    const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
    (void)written;  // a full pipe already asks for the end
    errno = error;
}

}  // namespace

void EndOnSignals() {
    if (g_signalPipe[0] >= 0 || ::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char bytes[16];
        while (::read(g_signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        EndProgram();
    });
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &action, nullptr);
}

void EndProgram() {
    if (g_hooks.endProgram) {
        g_hooks.endProgram();
        return;
    }
    QCoreApplication::exit(0);
}

}  // namespace platform
