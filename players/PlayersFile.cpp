#include "players/PlayersFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "game/GameState.h"
#include "platform/RecordFile.h"
#include "platform/Runtime.h"
#include "players/PlayersFileLock.h"

namespace qv {

namespace {

const QString kFileName = QStringLiteral("QVPlayers.dat");
const QString kMessageTitle = QStringLiteral("QUILVARO");
const QString kNewLine = QStringLiteral("\r\n");

// Whether the folder of `path` takes new files, with errno saying why not. The probe is a file
// without a name where the file system has them, so that none is ever left behind.
bool FolderTakesFiles(const QString& path) {
    int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                    O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    const int unnamed = fd < 0 ? errno : 0;
    if (unnamed == EOPNOTSUPP || unnamed == EISDIR) {  // a file system without them
        QByteArray probe = QFile::encodeName(path) + ".probe.XXXXXX";
        fd = ::mkostemp(probe.data(), O_CLOEXEC);
        if (fd >= 0)
            ::unlink(probe.constData());
    }
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    errno = error;
    return fd >= 0;
}

// Why the file cannot be kept at `path`, empty when it can: it must open for reading and writing
// and its folder take new files, since every save writes a new copy beside the file and renames
// it over the old one. `readOnlyFolder` says what a folder that refuses them is.
QString WhyNotKept(const QString& path, const QString& readOnlyFolder) {
    const bool existed = QFileInfo::exists(path);
    platform::RecordFile file;
    const bool opened = file.Open(path, kRecordLength);
    const QString error = opened ? QString() : file.ErrorString();
    file.Close();
    if (opened && FolderTakesFiles(path))
        return QString();
    if (existed && !QFileInfo(path).isWritable())
        return QCoreApplication::translate("PlayersFile", "The file is read-only for you.");
    if (!QFileInfo(QFileInfo(path).absolutePath()).isWritable())
        return readOnlyFolder;
    return QCoreApplication::translate("PlayersFile", "It could not be opened for writing: %1.")
        .arg(opened ? qt_error_string(errno) : error);
}

bool OpenPlayersFile(platform::RecordFile& file, platform::Access access) {
    if (PlayersFilePath.isEmpty())
        return false;
    return file.Open(PlayersFilePath, kRecordLength, access);
}

// One message box saying what could not be stored and why; shown once the file is unlocked.
void TellNotStored(const QString& what, const QString& why) {
    const QString text =
        what + kNewLine + platform::ShownPath(PlayersFilePath) + kNewLine + kNewLine + why +
        kNewLine + kNewLine +
        QCoreApplication::translate("PlayersFile", "The players file was left as it was.");
    AfterPlayersFileUnlocked(
        [text] { platform::ShowMessage(text, platform::MessageIcon::Warning, kMessageTitle); });
}

QString ResultNotStored() {
    QString what = QCoreApplication::translate(
                       "PlayersFile", "Your result %1 could not be stored in the players file")
                       .arg(CurrentResult);
    const QString name = DisplayName(CurrentName);
    if (!name.isEmpty())
        what = QCoreApplication::translate("PlayersFile", "Player: %1").arg(name) + kNewLine + what;
    return what;
}

void Say(const QString& text) {
    platform::ShowMessage(text, platform::MessageIcon::Warning, kMessageTitle);
}

// What lies at a place for the players file, a symbolic link followed to its end: the lock and
// the save act on the file every link to it shares, and the links stay links.
struct Place {
    QString path;
    bool exists = false;
    bool regular = false;
    bool readable = false;
    QString why;  // why it cannot be used, when it exists
};

Place Inspect(const QString& path) {
    Place place;
    place.path = path;
    if (path.isEmpty())
        return place;
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        place.exists = true;
        char* end = ::realpath(name.constData(), nullptr);
        const int error = errno;
        place.path = end ? QFile::decodeName(end) : QString();
        std::free(end);
        if (place.path.isEmpty()) {
            place.path = path;
            place.why =
                error == ELOOP
                    ? QCoreApplication::translate("PlayersFile",
                                                  "It is a link that leads nowhere: the links go "
                                                  "round in a loop, or there are too many of them.")
                    : QCoreApplication::translate("PlayersFile",
                                                  "It is a link to a file that does not exist.");
            return place;
        }
    }
    place.exists = QFileInfo::exists(place.path);
    if (!place.exists)
        return place;
    QString error;
    const int fd = platform::OpenRegularFile(place.path, O_RDONLY, &error);
    place.readable = fd >= 0;
    place.regular = fd >= 0 || QFileInfo(place.path).isFile();
    if (fd >= 0)
        ::close(fd);
    else if (place.regular)
        place.why =
            QCoreApplication::translate("PlayersFile", "It could not be read: %1.").arg(error);
    else
        place.why = QCoreApplication::translate(
            "PlayersFile", "It is not a file but a folder, a pipe or a device.");
    return place;
}

// A players file is any sequence of 60-byte records: a record is in use when it ends in CR LF,
// and free whatever else it ends in. So only what positively is another kind of file is refused,
// and never replaced, wherever a link leads: a program, a picture, a compressed file or archive
// (zip-based documents among them), a PDF, an SQLite database, lines of text (no zero byte, as
// the records the game fills have). Signatures that a name could spell count only when the first
// record does not end as a player's does.
bool CouldBePlayersFile(const QString& path, QString* why) {
    QFile file;
    const int fd = platform::OpenRegularFile(path, O_RDONLY, nullptr);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return true;  // missing, or unreadable: that is said where it is read
    }
    const QByteArray head = file.read(qint64(kMaxPlayers) * kRecordLength);
    static const QByteArray kSignatures[] = {QByteArray("\177ELF"),
                                             QByteArray("MZ"),
                                             QByteArray("#!"),  // programs
                                             QByteArray("\x89PNG\r\n\x1A\n"),
                                             QByteArray("\xFF\xD8\xFF"),
                                             QByteArray("GIF8"),
                                             QByteArray("BM"),
                                             QByteArray("II*\0", 4),
                                             QByteArray("MM\0*", 4),
                                             QByteArray("RIFF"),
                                             QByteArray("\x1F\x8B"),
                                             QByteArray("BZh"),
                                             QByteArray("\xFD"
                                                        "7zXZ"),
                                             QByteArray("\x28\xB5\x2F\xFD"),
                                             QByteArray("7z\xBC\xAF\x27\x1C"),
                                             QByteArray("Rar!"),
                                             QByteArray("PK\x03\x04"),
                                             QByteArray("PK\x05\x06"),
                                             QByteArray("%PDF-"),
                                             QByteArray("SQLite format 3\0", 16)};
    const bool playerFirst = head.mid(kRecordLength - 2, 2) == "\r\n";
    const bool signed_ = std::any_of(std::begin(kSignatures), std::end(kSignatures),
                                     [&head](const QByteArray& s) { return head.startsWith(s); });
    const bool tar = head.mid(257, 5) == "ustar";
    const bool text = !head.contains('\0') && head.contains('\n');
    const bool players = !text && (playerFirst || !(signed_ || tar));
    if (!players && why) {
        *why = QCoreApplication::translate("PlayersFile",
                                           "It is not a players file, so it was not replaced.");
    }
    return players;
}

// Where a copy of the game that is not installed keeps its results when the place beside it
// cannot: a file of its own in the data folder for each program folder, so that copies stay apart
// and each finds its results again on every later start.
QString MovedFilePath(const QString& dataFolder) {
    // The folder's own name in bytes, with links resolved where the system can.
    QByteArray folder = platform::ProgramDirBytes();
    if (char* real = ::realpath(folder.constData(), nullptr)) {
        folder = real;
        std::free(real);
    }
    const QByteArray id =
        QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(16);
    return dataFolder + QStringLiteral("/moved/") + QString::fromLatin1(id) + QStringLiteral("/") +
           kFileName;
}

// What the player is told about where results are kept, when it is not beside the game.
QString g_note;
// The file is read, but results cannot be kept in it; the player was told at start-up.
bool g_readOnly = false;
// The length of the file as this copy last read or wrote it: one found shorter since, or gone,
// is written again whole from the table.
qint64 g_known = 0;

// Results are not kept in this session; the file at `path` is left as it was.
void RunWithoutStoring(const QString& path, const QString& why) {
    PlayersFilePath.clear();
    g_note = QCoreApplication::translate("PlayersFile", "Results are not kept in this session.");
    Say(QCoreApplication::translate("PlayersFile", "The players file could not be used:") +
        kNewLine + platform::ShownPath(path) + kNewLine + kNewLine + why + kNewLine + kNewLine +
        QCoreApplication::translate("PlayersFile", "Results will not be kept in this session."));
}

void CannotOpen(const QString& beside, const QString& fallback) {
    PlayersFilePath.clear();
    g_note = QCoreApplication::translate("PlayersFile", "Results are not kept in this session.");
    Say(QCoreApplication::translate("PlayersFile",
                                    "The players file could not be opened, neither beside "
                                    "the game\r\n%1\r\nnor in your data folder\r\n%2\r\n\r\n"
                                    "Results will not be kept in this session.")
            .arg(platform::ShownPath(beside), fallback));
}

// The file at `path` is read and its players shown, but results cannot be kept in it.
void ReadOnly(const QString& path, const QString& why) {
    PlayersFilePath = path;
    g_readOnly = true;
    g_note = QCoreApplication::translate("PlayersFile", "Results are not kept in this session.");
    Say(QCoreApplication::translate("PlayersFile",
                                    "The players file can be read, but not written:") +
        kNewLine + platform::ShownPath(path) + kNewLine + kNewLine + why + kNewLine + kNewLine +
        QCoreApplication::translate("PlayersFile", "Results will not be kept in this session."));
}

// Takes the file at `path` in the data folder, seeded from `seed` when it does not exist yet.
// False when it cannot be kept there; true with no file when it is there but cannot be used, or
// with the file only read when it cannot be written, which has then been said.
bool UseDataFolderFile(const QString& path, const Place& seed) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    const Place place = Inspect(path);
    if (place.exists && !place.regular)
        return false;
    QString why;
    if (place.exists && (!place.readable || !CouldBePlayersFile(place.path, &why))) {
        RunWithoutStoring(place.path, place.readable ? why : place.why);
        return true;
    }
    PlayersFilePath = place.path;
    if (!place.exists && seed.readable && CouldBePlayersFile(seed.path, nullptr)) {
        // Seeded from the file beside the game, in one step like every other write; the lock
        // made the file, empty, unless another copy was quicker.
        PlayersFileLock lock;
        if (lock.IsLocked() && QFileInfo(place.path).size() == 0)
            platform::ReplaceFileRange(place.path, 0, QByteArray(), seed.path, nullptr);
    }
    why = WhyNotKept(place.path, QCoreApplication::translate(
                                     "PlayersFile", "Your data folder is read-only for you."));
    if (why.isEmpty())
        return true;
    if (!place.exists || !place.readable)
        return false;
    ReadOnly(place.path, why);
    return true;
}

}  // namespace

bool IsInstalledCopy() {
    // The install step puts the menu entry into the data folder of the prefix the program went
    // to, at the same place relative to the program whatever the prefix:
    // /usr/games/../share/applications, ~/.local/bin/../share/applications. A build tree or a
    // folder of one's own has none.
    const QString folder = platform::FolderPath(platform::ProgramDirBytes(), nullptr);
    return !folder.isEmpty() &&
           QFileInfo(folder + QStringLiteral("/") + QStringLiteral(QUILVARO_INSTALL_MARKER))
               .isFile();
}

QString PlayersFileNote() {
    return g_note;
}

void ChoosePlayersFile() {
    g_note.clear();
    g_readOnly = false;
    g_known = 0;
    // The program's folder as the system names it: a name that is no valid text, or a path
    // longer than the system opens in one piece, is reached through a descriptor of the folder.
    QString folderWhy;
    const QByteArray name = platform::ProgramDirBytes();
    const QString folder = platform::FolderPath(name, &folderWhy);
    const QString beside = folder.isEmpty() ? QString() : folder + QStringLiteral("/") + kFileName;
    Place here = Inspect(beside);
    if (folder.isEmpty()) {
        here.exists = true;  // nothing can be kept beside the game
        here.why = name.isEmpty() ? QCoreApplication::translate(
                                        "PlayersFile", "The game's folder could not be found.")
                                  : QCoreApplication::translate(
                                        "PlayersFile", "The game's folder could not be opened: %1.")
                                        .arg(folderWhy);
    }
    const QString data = platform::UserDataPath();

    if (IsInstalledCopy()) {
        // A system folder is no place for results, whoever runs the game: each user keeps them
        // in their own data folder, which every installed copy shares.
        const QString own = data + QStringLiteral("/") + kFileName;
        if (data.isEmpty() || !UseDataFolderFile(own, here))
            CannotOpen(beside, own);
        return;
    }
    if (name.isEmpty()) {
        RunWithoutStoring(kFileName, here.why);
        return;
    }

    const QString moved = data.isEmpty() ? QString() : MovedFilePath(data);
    const bool movedBefore = !moved.isEmpty() && QFileInfo(moved).exists();
    QString why = here.why;
    if (!movedBefore) {
        if (here.exists && here.regular && !here.readable) {
            // An unreadable file is not given up for an empty one elsewhere.
            RunWithoutStoring(here.path, here.why);
            return;
        }
        if (here.readable && !CouldBePlayersFile(here.path, &why)) {
            RunWithoutStoring(here.path, why);
            return;
        }
        if (!folder.isEmpty() && (!here.exists || here.regular)) {
            why = WhyNotKept(
                here.path, QCoreApplication::translate("PlayersFile",
                                                       "The game's folder is read-only for you."));
            if (why.isEmpty()) {
                PlayersFilePath = here.path;
                return;
            }
        }
    }
    // A copy that moved its results once finds them there on every later start, also when the
    // place beside it could take them again.
    if (moved.isEmpty() || !UseDataFolderFile(moved, movedBefore ? Place() : here)) {
        CannotOpen(beside, moved);
        return;
    }
    if (PlayersFilePath.isEmpty() || g_readOnly)
        return;  // the data folder's file could not be used either, or only read; that was said
    g_note = QCoreApplication::translate(
                 "PlayersFile",
                 "Results are kept in your data folder, since they could not be kept beside the "
                 "game:") +
             kNewLine + PlayersFilePath;
    if (movedBefore)
        return;
    Say(QCoreApplication::translate("PlayersFile",
                                    "Results are kept in your data folder from now on:") +
        kNewLine + PlayersFilePath + kNewLine + kNewLine +
        QCoreApplication::translate("PlayersFile", "They could not be kept beside the game:") +
        kNewLine + platform::ShownPath(beside.isEmpty() ? QFile::decodeName(name) : beside) +
        kNewLine + why);
}

void LoadPlayers(LoadMode mode) {
    // Without the lock the file is read all the same: every write replaces it whole, so what is
    // read is always one complete version of it.
    PlayersFileLock lock;
    platform::RecordFile file;
    const bool open = OpenPlayersFile(file, platform::Access::ReadWrite) ||
                      OpenPlayersFile(file, platform::Access::ReadOnly);
    // The record count of a file whose length is not a multiple of 60 is rounded, halves to even.
    // It is a 16-bit number: a file of more than 32767 records counts as 32767.
    const qint64 length = open ? file.Length() : 0;
    // What a reload finds shorter, or gone and made again, is still written again whole and said.
    g_known = !open ? g_known : mode == LoadMode::StartUp ? length : std::max(g_known, length);
    const double records = platform::RoundHalfEven(static_cast<double>(length) / kRecordLength);
    PlayersFileRecordCount = static_cast<std::int16_t>(std::min(records, 32767.0));

    if (PlayersFileRecordCount > 0) {
        // Records past the hundredth are never read; they stay in the file as they are.
        const int toRead = std::min<int>(PlayersFileRecordCount, kMaxPlayers);
        for (int i = 1; i <= toRead; ++i)
            Players[i] = DecodeRecord(file.ReadRecord(i));
        for (int i = 1; i <= kMaxPlayers; ++i) {
            if (Players[i].Result > BestResult) {
                BestResult = Players[i].Result;
                BestName = Players[i].Name;
                BestPlayer = static_cast<std::int16_t>(i);
            }
            if (mode == LoadMode::StartUp && Players[i].InUse()) {
                CurrentPlayer = static_cast<std::int16_t>(i);
                CurrentResult = Players[i].Result;
                CurrentName = Players[i].Name;
            }
        }
    } else if (mode == LoadMode::StartUp) {
        CurrentPlayer = 1;
        CurrentResult = Players[1].Result;
        CurrentName = Players[1].Name;
    }
    file.Close();
}

namespace {

// Writes records 1 to 100 from the table; whatever lies past them is carried over as it is.
bool WriteTable(QString* why) {
    QByteArray records;
    records.reserve(kMaxPlayers * kRecordLength);
    for (int i = 1; i <= kMaxPlayers; ++i)
        records += EncodeRecord(Players[i]);
    const bool written = CouldBePlayersFile(PlayersFilePath, why) &&
                         platform::ReplaceFileRange(PlayersFilePath, 0, records, QString(), why);
    if (written)
        g_known = QFileInfo(PlayersFilePath).size();
    return written;
}

// The file is gone, or shorter than this copy last knew it: it is written again whole.
bool Shrank() {
    return QFileInfo(PlayersFilePath).size() < g_known;
}

void TellWrittenAgain() {
    const QString text =
        QCoreApplication::translate("PlayersFile",
                                    "The players file had been deleted or cut short since the "
                                    "game read it. It was written again from the list of "
                                    "players in the game:") +
        kNewLine + platform::ShownPath(PlayersFilePath);
    AfterPlayersFileUnlocked(
        [text] { platform::ShowMessage(text, platform::MessageIcon::Warning, kMessageTitle); });
}

}  // namespace

bool SavePlayers() {
    if (PlayersFilePath.isEmpty() || g_readOnly)
        return false;  // the player was told at start-up that nothing is kept
    PlayersFileLock lock;
    QString why = lock.Why();
    const bool shrank = Shrank();
    const bool stored = lock.IsLocked() && WriteTable(&why);
    if (!stored)
        TellNotStored(
            QCoreApplication::translate(
                "PlayersFile", "The list of players could not be stored in the players file"),
            why);
    else if (shrank)
        TellWrittenAgain();
    return stored;
}

bool StoreCurrentResult() {
    if (CurrentPlayer < 1 || CurrentPlayer > kMaxPlayers)
        return true;
    const int k = CurrentPlayer;
    bool stored = true;
    if (PlayersFilePath.isEmpty() || g_readOnly) {
        // The player was told at start-up that results are not kept.
        stored = !(CurrentResult > Players[k].Result);
        Players[k].Result = CurrentResult;
        return stored;
    }
    PlayersFileLock lock;
    QString why = lock.Why();
    const PlayerRecord mine = Players[k];
    platform::RecordFile file;
    const bool open = OpenPlayersFile(file, platform::Access::ReadOnly);
    if (!open && QFileInfo::exists(PlayersFilePath)) {
        why = QCoreApplication::translate("PlayersFile", "The file could not be read: %1.")
                  .arg(file.ErrorString());
        stored = !(CurrentResult > Players[k].Result);
    } else if (Shrank()) {
        // Written again whole from the table, with the result where it improved.
        file.Close();
        Players[k].Result = std::max<std::int32_t>(Players[k].Result, CurrentResult);
        stored = lock.IsLocked() && WriteTable(&why);
        if (stored)
            TellWrittenAgain();
    } else {
        Players[k] = DecodeRecord(file.ReadRecord(k));
        file.Close();
        if (Players[k].Name != mine.Name || Players[k].Marker != mine.Marker) {
            // The record no longer holds this player: the result is credited to nobody else.
            why = Players[k].InUse()
                      ? QCoreApplication::translate(
                            "PlayersFile",
                            "Another copy of the game has given this player's record to %1.")
                            .arg(DisplayName(Players[k].Name))
                      : QCoreApplication::translate("PlayersFile",
                                                    "This player is not in the players file.");
            TellNotStored(ResultNotStored(), why);
            return false;
        }
        if (CurrentResult > Players[k].Result) {
            PlayerRecord updated = Players[k];
            updated.Result = CurrentResult;
            stored = lock.IsLocked() && CouldBePlayersFile(PlayersFilePath, &why) &&
                     platform::ReplaceFileRange(PlayersFilePath, qint64(k - 1) * kRecordLength,
                                                EncodeRecord(updated), QString(), &why);
            g_known = std::max(g_known, QFileInfo(PlayersFilePath).size());
        }
    }
    if (!stored)
        TellNotStored(ResultNotStored(), why);
    Players[k].Result = CurrentResult;
    return stored;
}

}  // namespace qv
