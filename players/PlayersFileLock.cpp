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

// Opens the lock file, made when missing, without following a link and without waiting for
// whatever lies there; only a regular file is taken. Reading it is enough to lock it, so one
// that another account left behind serves too. -1, with `why`, when it cannot be used.
int OpenLockFile(const QByteArray& path, const QString& shown, QString* why) {
    const int flags = O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | flags, 0666);
    int error = fd < 0 ? errno : 0;
    bool missing = fd < 0 && error == ENOENT;
    if (fd < 0 && (error == EACCES || error == EPERM || error == EROFS)) {
        fd = ::open(path.constData(), O_RDONLY | flags);
        missing = fd < 0 && errno == ENOENT;
        error = fd < 0 && !missing ? errno : error;
    }
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        return fd;
    if (fd >= 0)
        ::close(fd);
    if (fd >= 0 || error == EISDIR) {
        *why = QCoreApplication::translate(
                   "PlayersFileLock",
                   "The lock file %1 is not a file but a folder, a pipe or a device.")
                   .arg(shown);
    } else if (error == ELOOP) {
        *why = QCoreApplication::translate("PlayersFileLock",
                                           "The lock file %1 is a link, which the game does not "
                                           "follow.")
                   .arg(shown);
    } else if (missing && error == EACCES) {
        *why = QCoreApplication::translate(
                   "PlayersFileLock", "The lock file %1 could not be created: permission denied.")
                   .arg(shown);
    } else {
        *why = (missing ? QCoreApplication::translate("PlayersFileLock",
                                                      "The lock file %1 could not be created: %2.")
                        : QCoreApplication::translate("PlayersFileLock",
                                                      "The lock file %1 could not be opened: %2."))
                   .arg(shown, qt_error_string(error));
    }
    return -1;
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
    const QString lockPath = PlayersFilePath + QStringLiteral(".lock");
    s.path = QFile::encodeName(lockPath);
    // The system releases the lock when the copy holding it ends, however it ends: a lock that is
    // taken is held by a copy that is running. That one holds the file for a few milliseconds at a
    // time, so it is asked for again soon and often.
    const QDeadlineTimer deadline(g_timeout);
    int pause = 2;
    for (;;) {
        const int fd = OpenLockFile(s.path, vb::ShownPath(lockPath), &s.why);
        if (fd < 0)
            return;
        struct stat held {
        }, named{};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // A copy that released the lock removed its file: the lock must be on the file the
            // name still leads to.
            if (::fstat(fd, &held) == 0 && ::lstat(s.path.constData(), &named) == 0 &&
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
                                                "The lock file %1 could not be locked: %2.")
                        .arg(vb::ShownPath(lockPath), qt_error_string(error));
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
        // Removed while still locked, and only when it is still this copy's file.
        struct stat held {
        }, named{};
        if (::fstat(s.fd, &held) == 0 && ::lstat(s.path.constData(), &named) == 0 &&
            SameFile(held, named))
            ::unlink(s.path.constData());
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
