#include "platform/Runtime.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTime>
#include <chrono>
#include <optional>
#include <random>
#include <thread>

#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <utility>

namespace vb {

namespace {

RuntimeHooks g_hooks;

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

float Timer() {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
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

void Randomize() {
    if (g_hooks.randomize) {
        g_hooks.randomize();
        return;
    }
    if (FixedSeed())
        return;
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32)};
    Generator().seed(seed);
}

double Rnd() {
    if (g_hooks.rnd)
        return g_hooks.rnd();
    return std::uniform_real_distribution<double>(0.0, 1.0)(Generator());
}

QString AppPath() {
    if (g_hooks.appPath)
        return g_hooks.appPath();
    return QCoreApplication::applicationDirPath();
}

QString UserDataPath() {
    if (g_hooks.userDataPath)
        return g_hooks.userDataPath();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void MsgBox(const QString& text, MsgIcon icon, const QString& title) {
    if (g_hooks.msgBox)
        g_hooks.msgBox(text, icon, title);
}

void End() {
    if (g_hooks.end) {
        g_hooks.end();
        return;
    }
    QCoreApplication::exit(0);
}

}  // namespace vb
