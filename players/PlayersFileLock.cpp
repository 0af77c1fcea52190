#include "players/PlayersFileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

#include "game/GameState.h"
#include "platform/RecordFile.h"

namespace qv {

namespace {

struct LockState {
    int depth = 0;
    int fd = -1;  // the lock file, locked by this copy
    QByteArray path;
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

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Opens the players file to lock it, made empty when missing, without waiting for whatever lies
// there; only a regular file is taken. It is opened for writing where it may be (a network file
// system locks only such files), else for reading or writing alone, either of which locks it too.
// -1, with `why`, when it cannot be used.
int OpenToLock(const QString& path, QString* why) {
    QString error;
    int fd = platform::OpenRegularFile(path, O_RDWR, &error);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        fd = platform::OpenRegularFile(path, O_RDONLY, &error);
    if (fd < 0 && errno == EACCES)
        fd = platform::OpenRegularFile(path, O_WRONLY, &error);
    if (fd >= 0)
        return fd;
    const bool missing = errno == ENOENT;
    if (missing)
        fd = platform::OpenRegularFile(path, O_RDONLY | O_CREAT, &error);
    if (fd < 0) {
        *why = (missing ? QCoreApplication::translate("PlayersFileLock",
                                                      "The players file could not be created: %1.")
                        : QCoreApplication::translate("PlayersFileLock",
                                                      "The players file could not be read: %1."))
                   .arg(error);
    }
    return fd;
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
        locked_ = s.fd >= 0;
        return;
    }
    s.why.clear();
    if (PlayersFilePath.isEmpty()) {
        s.why = QCoreApplication::translate("PlayersFileLock",
                                            "There is no players file in this session.");
        return;
    }
    s.path = QFile::encodeName(PlayersFilePath);
    // The system releases the lock when the copy holding it ends, however it ends: a lock that is
    // taken is held by a copy that is running. That one holds the file for a few milliseconds at a
    // time, so it is asked for again soon and often.
    const QDeadlineTimer deadline(g_timeout);
    int pause = 2;
    for (;;) {
        const int fd = OpenToLock(PlayersFilePath, &s.why);
        if (fd < 0)
            return;
        struct stat held {
        }, named{};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // A copy that saved meanwhile put a new file in the old one's place: the lock must be
            // on the file the name still leads to.
            if (::fstat(fd, &held) == 0 && ::stat(s.path.constData(), &named) == 0 &&
                SameFile(held, named)) {
                s.fd = fd;
                locked_ = true;
                return;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK) {
            s.why = QCoreApplication::translate("PlayersFileLock",
                                                "The players file could not be locked: %1.")
                        .arg(qt_error_string(error));
            return;
        }
        if (deadline.hasExpired())
            break;
        QThread::msleep(
            static_cast<unsigned long>(std::min<qint64>(pause, deadline.remainingTime())));
        pause = std::min(pause * 2, 50);
    }
    s.why = QCoreApplication::translate("PlayersFileLock",
                                        "Another copy of the game is using the players "
                                        "file and did not release it within %1.")
                .arg(Seconds(g_timeout));
}

PlayersFileLock::~PlayersFileLock() {
    LockState& s = State();
    if (--s.depth > 0)
        return;
    if (s.fd >= 0) {
        ::close(s.fd);
        s.fd = -1;
    }
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
