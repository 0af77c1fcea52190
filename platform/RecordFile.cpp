#include "platform/RecordFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <vector>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

// Folders whose names the file functions cannot take, held open for the paths through them.
struct HeldFolder {
    QByteArray name;
    int fd;
};

std::vector<HeldFolder>& HeldFolders() {
    static std::vector<HeldFolder> held;
    return held;
}

struct Extent {
    qint64 begin;
    qint64 end;
};

// The stretches of [0, length) that may hold data: the holes of a sparse file are left out where
// the file system can tell them apart, so that they are neither read nor written.
std::vector<Extent> DataExtents(int fd, qint64 length) {
    std::vector<Extent> extents;
#if defined(SEEK_DATA) && defined(SEEK_HOLE)
    qint64 pos = 0;
    while (pos < length) {
        const off_t data = ::lseek(fd, pos, SEEK_DATA);
        if (data < 0) {
            if (errno != ENXIO)  // not supported here: all of the rest counts as data
                extents.push_back({pos, length});
            break;
        }
        if (data >= length)
            break;
        off_t hole = ::lseek(fd, data, SEEK_HOLE);
        if (hole < 0 || hole > length)
            hole = length;
        extents.push_back({data, hole});
        pos = hole;
    }
#else
    (void)fd;
    if (length > 0)
        extents.push_back({0, length});
#endif
    return extents;
}

qint64 ReadAt(int fd, char* buffer, qint64 size, qint64 offset) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, buffer + done, size - done, offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

// Free bytes for an ordinary user on the disk that holds `folder`; -1 when unknown.
qint64 FreeSpace(const QString& folder) {
#if defined(Q_OS_UNIX)
    struct statvfs fs {};
    if (::statvfs(QFile::encodeName(folder).constData(), &fs) != 0)
        return -1;
    return static_cast<qint64>(fs.f_bavail) * static_cast<qint64>(fs.f_frsize);
#else
    (void)folder;
    return -1;
#endif
}

// After a rename the folder's own entry must reach the disk too, or a power cut may bring back
// the old name.
void SyncFolder(const QString& folder) {
#if defined(Q_OS_UNIX)
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    (void)folder;
#endif
}

// Writes `bytes` at `offset` into the file itself: for a file that a new copy could not stand in
// for (see ReplaceFileRange).
bool WriteInPlace(const QString& target, qint64 offset, const QByteArray& bytes, qint64 oldLength,
                  QString* why) {
    auto fail = [&](const QString& text) {
        if (why)
            *why = text;
        return false;
    };
    const qint64 grows = offset + bytes.size() - oldLength;
    const qint64 free = FreeSpace(QFileInfo(target).absolutePath());
    if (grows > 0 && free >= 0 && grows > free) {
        return fail(QCoreApplication::translate("RecordFile",
                                                "There is not enough free space on the disk for a "
                                                "new copy of the file (%1 bytes needed, %2 bytes "
                                                "free).")
                        .arg(grows)
                        .arg(free));
    }
    const int fd = OpenRegularFile(target, O_WRONLY, why);
    if (fd < 0)
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + done, bytes.size() - done, offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    const int error = errno;
    const bool ok = done == bytes.size() && ::fsync(fd) == 0;
    const int syncError = errno;
    ::close(fd);
    if (!ok) {
        return fail(QCoreApplication::translate("RecordFile", "Writing the file failed: %1.")
                        .arg(qt_error_string(done == bytes.size() ? syncError : error)));
    }
    return true;
}

}  // namespace

int OpenRegularFile(const QString& path, int flags, QString* why) {
    // O_NONBLOCK keeps the open of a FIFO from waiting for a writer; the type is then checked on
    // what was really opened, so nothing can be swapped in between.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (why)
            *why = qt_error_string(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        if (why) {
            *why = QCoreApplication::translate("RecordFile", "%1 is not a regular file")
                       .arg(QFileInfo(path).fileName());
        }
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

QString FolderPath(const QByteArray& folder, QString* why) {
    const QString text = QFile::decodeName(folder);
    if (!folder.isEmpty() && QFile::encodeName(text) == folder && folder.size() < PATH_MAX / 2)
        return text;
    const QString through = QStringLiteral("/proc/self/fd/%1");
    for (const HeldFolder& held : HeldFolders()) {
        if (held.name == folder)
            return through.arg(held.fd);
    }
    int fd = -1;
#if defined(Q_OS_LINUX)
    fd = ::open(folder.startsWith('/') ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (const QByteArray& part : folder.split('/')) {
        if (fd < 0 || part.isEmpty())
            continue;
        const int next = ::openat(fd, part.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        const int error = errno;
        ::close(fd);
        fd = next;
        errno = error;
    }
    if (fd >= 0 && !folder.isEmpty()) {
        HeldFolders().push_back({folder, fd});
        return through.arg(fd);
    }
#endif
    if (why)
        *why = folder.isEmpty() ? QString() : qt_error_string(errno);
    if (fd >= 0)
        ::close(fd);
    return QString();
}

QString ShownPath(const QString& path) {
    for (const HeldFolder& held : HeldFolders()) {
        const QString through = QStringLiteral("/proc/self/fd/%1").arg(held.fd);
        if (path == through || path.startsWith(through + QLatin1Char('/')))
            return QFile::decodeName(held.name) + path.mid(through.size());
    }
    return path;
}

bool RecordFile::Open(const QString& path, int recordLength, Access access) {
    Close();
    error_.clear();
    recordLength_ = recordLength;
    const bool write = access == Access::ReadWrite;
    const int fd = OpenRegularFile(path, write ? O_RDWR | O_CREAT : O_RDONLY, &error_);
    if (fd < 0)
        return false;
    if (!file_.open(fd, write ? QIODevice::ReadWrite : QIODevice::ReadOnly,
                    QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error_ = file_.errorString();
        return false;
    }
    error_.clear();
    return true;
}

qint64 RecordFile::Length() const {
    return file_.isOpen() ? file_.size() : 0;
}

QByteArray RecordFile::ReadRecord(qint64 n) {
    QByteArray record(recordLength_, '\0');  // whatever cannot be read stays zero
    if (!file_.isOpen() || n < 1)
        return record;
    const qint64 offset = (n - 1) * recordLength_;
    if (offset < file_.size() && file_.seek(offset))
        file_.read(record.data(), recordLength_);
    return record;
}

void RecordFile::Close() {
    if (file_.isOpen())
        file_.close();
}

bool ReplaceFileRange(const QString& target, qint64 offset, const QByteArray& bytes,
                      const QString& source, QString* why) {
    auto fail = [&](const QString& text) {
        if (why)
            *why = text;
        return false;
    };
    if (offset < 0)
        return fail(QCoreApplication::translate("RecordFile", "Invalid position in the file."));

    const QString from = source.isEmpty() ? target : source;
    QFile old;
    qint64 oldLength = 0;
    std::vector<Extent> extents;
    if (QFileInfo(from).isDir())
        return fail(QCoreApplication::translate("RecordFile", "%1 is a folder, not a file.")
                        .arg(ShownPath(from)));
    struct stat oldStat {};
    const bool exists = ::stat(QFile::encodeName(from).constData(), &oldStat) == 0;
    if (exists) {
        // Whatever the new version keeps of the old one must be read first: an old file that
        // cannot be read is never replaced.
        QString error;
        const int fd = OpenRegularFile(from, O_RDONLY, &error);
        if (fd < 0 || !old.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered,
                                QFileDevice::AutoCloseHandle)) {
            if (fd >= 0)
                ::close(fd);
            return fail(QCoreApplication::translate("RecordFile", "The file could not be read: %1.")
                            .arg(error));
        }
        oldLength = old.size();
        extents = DataExtents(old.handle(), oldLength);
    }
    // A file with other names keeps them only when it is written in place.
    const bool sameFile = source.isEmpty() && exists;
    if (sameFile && oldStat.st_nlink > 1)
        return WriteInPlace(target, offset, bytes, oldLength, why);

    qint64 needed = bytes.size();
    for (const Extent& e : extents)
        needed += e.end - e.begin;
    const QString folder = QFileInfo(target).absolutePath();
    const qint64 free = FreeSpace(folder);
    if (free >= 0 && needed > free) {
        return fail(QCoreApplication::translate("RecordFile",
                                                "There is not enough free space on the disk for a "
                                                "new copy of the file (%1 bytes needed, %2 bytes "
                                                "free).")
                        .arg(needed)
                        .arg(free));
    }

    QSaveFile out(target);
    out.setDirectWriteFallback(false);  // never write over the old file in place
    if (!out.open(QIODevice::WriteOnly))
        return fail(QCoreApplication::translate("RecordFile",
                                                "A new copy could not be created beside it: %1.")
                        .arg(out.errorString()));
    if (sameFile) {
        // The new copy takes the old one's owner, group and mode (set-id bits included, so the
        // mode comes after the owner). Where this account may not give it that owner or group,
        // the file is written in place and keeps them.
        struct stat copy {};
        const int fd = out.handle();
        const bool owned = ::fstat(fd, &copy) == 0 &&
                           ((copy.st_uid == oldStat.st_uid && copy.st_gid == oldStat.st_gid) ||
                            ::fchown(fd, oldStat.st_uid, oldStat.st_gid) == 0);
        if (!owned) {
            out.cancelWriting();
            return WriteInPlace(target, offset, bytes, oldLength, why);
        }
        if (::fchmod(fd, oldStat.st_mode & 07777) != 0) {
            const QString text =
                QCoreApplication::translate("RecordFile",
                                            "The new copy could not take the file's permissions: "
                                            "%1.")
                    .arg(qt_error_string(errno));
            out.cancelWriting();
            return fail(text);
        }
    }

    // What the system said about the last failed call, in its own words.
    auto reason = [&out](int error) {
        if (error != 0)
            return qt_error_string(error);
        return out.errorString();
    };
    auto writeFailed = [&] {
        const QString text =
            QCoreApplication::translate("RecordFile", "Writing the new copy failed: %1.")
                .arg(reason(errno));
        out.cancelWriting();
        return fail(text);
    };

    constexpr qint64 kChunk = 64 * 1024;
    std::vector<char> buffer(kChunk);
    errno = 0;
    for (const Extent& e : extents) {
        for (qint64 pos = e.begin; pos < e.end; pos += kChunk) {
            const qint64 size = std::min(kChunk, e.end - pos);
            const qint64 got = ReadAt(old.handle(), buffer.data(), size, pos);
            if (got != size) {
                out.cancelWriting();
                return fail(QCoreApplication::translate("RecordFile",
                                                        "The file could not be read to its end."));
            }
            // Blocks of zero bytes become holes: reading them gives the same zero bytes.
            if (std::all_of(buffer.begin(), buffer.begin() + size, [](char c) { return c == 0; }))
                continue;
            if (!out.seek(pos) || out.write(buffer.data(), size) != size)
                return writeFailed();
        }
    }
    if (!out.seek(offset) || out.write(bytes) != bytes.size())
        return writeFailed();
    const qint64 length = std::max(oldLength, offset + bytes.size());
    if (!out.flush() || (out.size() < length && !out.resize(length)))
        return writeFailed();
#if defined(Q_OS_UNIX)
    if (::fsync(out.handle()) != 0)
        return writeFailed();
#endif
    errno = 0;
    if (!out.commit())
        return fail(QCoreApplication::translate("RecordFile", "Writing the new copy failed: %1.")
                        .arg(reason(errno)));
    SyncFolder(folder);
    return true;
}

}  // namespace platform
