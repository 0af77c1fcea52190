#include "platform/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <cerrno>
#include <cstdlib>

#include "platform/RecordFile.h"
#include "platform/Runtime.h"

namespace platform {

namespace {

// Far more than the game ever writes: a larger file is not the game's and is not read.
constexpr qint64 kLargest = 64 * 1024;
const QByteArray kGeneral = "[General]";

struct Contents {
    bool exists = false;
    QByteArray bytes;
    QString why;  // why it cannot be the game's settings, empty when it can
};

// Lines of the game's settings: blank, a comment, a [section] or key=value with a key as Qt's
// settings write it; the whole in UTF-8 without zero bytes.
bool ReadsAsSettings(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError() || bytes.contains('\0'))
        return false;
    static const QRegularExpression line(
        QStringLiteral(R"(^\s*($|[;#].*|\[[^\]]*\]\s*|[A-Za-z0-9_%./\-]+\s*=.*)$)"));
    for (const QString& l : text.split(QLatin1Char('\n'))) {
        if (!line.match(l).hasMatch())
            return false;
    }
    return true;
}

// The file at `path`, links followed, read without waiting and never beyond kLargest bytes.
Contents Read(const QString& path) {
    Contents c;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 && errno == ENOENT)
        return c;
    c.exists = true;
    QString error;
    const int fd = OpenRegularFile(path, O_RDONLY, &error);
    if (fd < 0) {
        c.why = QCoreApplication::translate("SettingsFile", "It could not be read: %1.").arg(error);
        return c;
    }
    if (::fstat(fd, &st) == 0 && st.st_size <= kLargest) {
        c.bytes.resize(st.st_size);
        const ssize_t got = ::pread(fd, c.bytes.data(), c.bytes.size(), 0);
        c.bytes.truncate(got < 0 ? 0 : got);
    }
    ::close(fd);
    if (st.st_size > kLargest || !ReadsAsSettings(c.bytes))
        c.why = QCoreApplication::translate(
            "SettingsFile", "It is not the game's settings file, so it was not replaced.");
    return c;
}

// The file with `key`=`value` in its [General] part, every other line as it was.
QByteArray WithSetting(const QByteArray& bytes, const QByteArray& key, const QByteArray& value) {
    QList<QByteArray> lines = bytes.split('\n');
    const QByteArray wanted = key + '=' + value;
    bool general = true;  // keys before any [section] are general ones
    for (QByteArray& l : lines) {
        const QByteArray t = l.trimmed();
        if (t.startsWith('[')) {
            general = t == kGeneral;
        } else if (general && t.contains('=') && t.left(t.indexOf('=')).trimmed() == key) {
            l = wanted + (l.endsWith('\r') ? "\r" : "");
            return lines.join('\n');
        }
    }
    const qsizetype header = lines.indexOf(kGeneral);
    if (header >= 0) {
        lines.insert(header + 1, wanted);
        return lines.join('\n');
    }
    return kGeneral + '\n' + wanted + '\n' + (bytes.isEmpty() ? "" : "\n" + bytes);
}

// Makes the folder `path` and those above it where missing.
bool MakeFolder(const QString& path, QString* why) {
    const QByteArray name = QFile::encodeName(path);
    for (qsizetype end = name.indexOf('/', 1); end != name.size();) {
        end = end < 0 ? name.size() : end;
        const QByteArray part = name.left(end);
        struct stat st {};
        if (::mkdir(part.constData(), 0777) != 0 && errno != EEXIST) {
            *why =
                QCoreApplication::translate("SettingsFile", "Its folder %1 could not be made: %2.")
                    .arg(QFile::decodeName(part), qt_error_string(errno));
            return false;
        }
        if (::stat(part.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            *why = QCoreApplication::translate("SettingsFile", "%1 is not a folder.")
                       .arg(QFile::decodeName(part));
            return false;
        }
        end = end == name.size() ? end : name.indexOf('/', end + 1);
    }
    return true;
}

// Writes `bytes` as the whole new contents of the file at `path`.
bool WriteWhole(const QString& path, const QByteArray& bytes, QString* why) {
    struct stat old {};
    const bool exists = ::stat(QFile::encodeName(path).constData(), &old) == 0;
    if (exists && old.st_nlink > 1) {  // other names reach it only when written in place
        const int fd = OpenRegularFile(path, O_WRONLY, why);
        if (fd < 0)
            return false;
        const bool ok = ::pwrite(fd, bytes.constData(), bytes.size(), 0) == bytes.size() &&
                        ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0;
        const int error = errno;
        ::close(fd);
        if (!ok)
            *why = QCoreApplication::translate("SettingsFile", "Writing it failed: %1.")
                       .arg(qt_error_string(error));
        return ok;
    }
    QSaveFile out(path);
    out.setDirectWriteFallback(false);
    const bool ok = out.open(QIODevice::WriteOnly) &&
                    (!exists || ::fchmod(out.handle(), old.st_mode & 07777) == 0) &&
                    out.write(bytes) == bytes.size() && out.flush() && ::fsync(out.handle()) == 0 &&
                    out.commit();
    if (!ok)
        *why = QCoreApplication::translate("SettingsFile", "Writing it failed: %1.")
                   .arg(out.errorString());
    return ok;
}

bool Keep(const QString& key, const QString& value, QString* where, QString* why) {
    *where = SettingsFilePath();
    if (where->isEmpty()) {
        *why =
            QCoreApplication::translate("SettingsFile", "There is no home folder to keep it in.");
        return false;
    }
    if (!MakeFolder(where->section(QLatin1Char('/'), 0, -2), why))
        return false;
    QString path = *where;
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        // The file the link leads to is written, and the link stays a link.
        char* end = ::realpath(QFile::encodeName(path).constData(), nullptr);
        path = end ? QFile::decodeName(end) : QString();
        std::free(end);
        if (path.isEmpty()) {
            *why = QCoreApplication::translate("SettingsFile", "It is a link that leads nowhere.");
            return false;
        }
    }
    const Contents now = Read(path);
    *why = now.why;
    if (!now.why.isEmpty())
        return false;
    const QByteArray bytes = WithSetting(now.bytes, key.toUtf8(), value.toUtf8());
    return (now.exists && bytes == now.bytes) || WriteWhole(path, bytes, why);
}

}  // namespace

QString SettingsFilePath() {
    const QString folder = UserConfigPath();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/Dremwick/quilvaro.conf");
}

QString KeptSetting(const QString& key) {
    const QString path = SettingsFilePath();
    const Contents c = path.isEmpty() ? Contents() : Read(path);
    if (!c.why.isEmpty())
        return QString();
    QString value;
    bool general = true;
    for (const QByteArray& l : c.bytes.split('\n')) {
        const QByteArray t = l.trimmed();
        if (t.startsWith('['))
            general = t == kGeneral;
        else if (general && t.contains('=') && t.left(t.indexOf('=')).trimmed() == key.toUtf8())
            value = QString::fromUtf8(t.mid(t.indexOf('=') + 1).trimmed());
    }
    return value;
}

bool KeepSetting(const QString& key, const QString& value) {
    QString where, why;
    if (Keep(key, value, &where, &why))
        return true;
    static bool told = false;
    if (!told) {
        told = true;
        ShowMessage(
            QCoreApplication::translate(
                "SettingsFile", "Your choice could not be kept for the next start of the game:") +
                QStringLiteral("\r\n") + where + QStringLiteral("\r\n\r\n") + why +
                QStringLiteral("\r\n\r\n") +
                QCoreApplication::translate("SettingsFile", "It holds until the game is closed."),
            MessageIcon::Warning, QStringLiteral("QUILVARO"));
    }
    return false;
}

}  // namespace platform
