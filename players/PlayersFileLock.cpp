#include "players/PlayersFileLock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLockFile>
#include <QThread>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "game/GameState.h"

namespace qv {

namespace {

// A lock file whose process is gone is taken over at once. One that names no process (its
// writer was killed between creating it and filling it in, a few in a hundred kills) is taken
// over once it is a second old. A live copy on this machine never loses its lock this way: it
// also holds a system lock on the lock file, which the takeover needs.
constexpr int kStaleLockMilliseconds = 1000;

struct LockState {
    int depth = 0;
    std::unique_ptr<QLockFile> file;
    QString why;
    std::vector<std::function<void()>> afterUnlock;
};

LockState& State() {
    static LockState state;
    return state;
}

int g_timeout = 10000;

QString Seconds(int milliseconds) {
    const int seconds = (milliseconds + 999) / 1000;
    return seconds == 1 ? QCoreApplication::translate("PlayersFileLock", "1 second")
                        : QCoreApplication::translate("PlayersFileLock", "%1 seconds").arg(seconds);
}

}  // namespace

int PlayersFileLockTimeout() {
    return g_timeout;
}

void SetPlayersFileLockTimeout(int milliseconds) {
    g_timeout = milliseconds < 0 ? 0 : milliseconds;
}

PlayersFileLock::PlayersFileLock() {
    LockState& s = State();
    if (s.depth++ > 0) {
        locked_ = s.file != nullptr;
        return;
    }
    s.why.clear();
    if (PlayersFilePath.isEmpty()) {
        s.why = QCoreApplication::translate("PlayersFileLock",
                                            "There is no players file in this session.");
        return;
    }
    const QString lockPath = PlayersFilePath + QStringLiteral(".lock");
    auto file = std::make_unique<QLockFile>(lockPath);
    file->setStaleLockTime(kStaleLockMilliseconds);
    // The other copy holds the file for a few milliseconds at a time: ask again soon and often,
    // rather than in the long steps QLockFile takes by itself.
    const QDeadlineTimer deadline(g_timeout);
    int pause = 2;
    while (!file->tryLock(0)) {
        if (file->error() != QLockFile::LockFailedError || deadline.hasExpired())
            break;
        QThread::msleep(
            static_cast<unsigned long>(std::min<qint64>(pause, deadline.remainingTime())));
        pause = std::min(pause * 2, 50);
    }
    if (file->error() == QLockFile::NoError) {
        s.file = std::move(file);
        locked_ = true;
        return;
    }
    switch (file->error()) {
        case QLockFile::LockFailedError:
            s.why = QCoreApplication::translate("PlayersFileLock",
                                                "Another copy of the game is using the players "
                                                "file and did not release it within %1.")
                        .arg(Seconds(g_timeout));
            break;
        case QLockFile::PermissionError:
            s.why =
                QCoreApplication::translate(
                    "PlayersFileLock", "The lock file %1 could not be created: permission denied.")
                    .arg(lockPath);
            break;
        default:
            s.why = QCoreApplication::translate("PlayersFileLock",
                                                "The lock file %1 could not be created.")
                        .arg(lockPath);
            break;
    }
}

PlayersFileLock::~PlayersFileLock() {
    LockState& s = State();
    if (--s.depth > 0)
        return;
    s.file.reset();  // unlocks and removes the lock file
    std::vector<std::function<void()>> actions = std::move(s.afterUnlock);
    s.afterUnlock.clear();
    for (auto& action : actions)
        action();
}

QString PlayersFileLock::Why() const {
    return locked_ ? QString() : State().why;
}

void AfterPlayersFileUnlocked(std::function<void()> action) {
    if (State().depth > 0) {
        State().afterUnlock.push_back(std::move(action));
    } else {
        action();
    }
}

}  // namespace qv
