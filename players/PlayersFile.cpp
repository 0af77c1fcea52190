#include "players/PlayersFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
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

// The file can be kept at `path` when it opens for reading and writing and its folder takes new
// files: every save writes a new copy beside the file and renames it over the old one, and the
// lock file lives beside it too.
bool CanKeepFileAt(const QString& path) {
    vb::RecordFile file;
    if (!file.Open(path, kRecordLength))
        return false;
    QTemporaryFile probe(path + QStringLiteral(".probe.XXXXXX"));
    return probe.open();
}

bool OpenPlayersFile(vb::RecordFile& file, vb::Access access) {
    if (PlayersFilePath.isEmpty())
        return false;
    PlayersFileNo = vb::FreeFile();
    return file.Open(PlayersFilePath, kRecordLength, PlayersFileNo, access);
}

// One message box saying what could not be stored and why; shown once the file is unlocked.
void TellNotStored(const QString& what, const QString& why) {
    const QString text =
        what + kNewLine + PlayersFilePath + kNewLine + kNewLine + why + kNewLine + kNewLine +
        QCoreApplication::translate("PlayersFile", "The players file was left as it was.");
    AfterPlayersFileUnlocked([text] { vb::MsgBox(text, vb::MsgIcon::Exclamation, kMessageTitle); });
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
    vb::MsgBox(text, vb::MsgIcon::Exclamation, kMessageTitle);
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
    const QFileInfo info(path);
    if (info.isSymLink()) {
        place.exists = true;
        place.path = info.canonicalFilePath();
        if (place.path.isEmpty()) {
            place.path = path;
            place.why = QCoreApplication::translate("PlayersFile",
                                                    "It is a link to a file that does not exist.");
            return place;
        }
    }
    place.exists = QFileInfo::exists(place.path);
    if (!place.exists)
        return place;
    QString error;
    const int fd = vb::OpenRegularFile(place.path, O_RDONLY, &error);
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

// The records of a players file end in CR LF (a player) or, as the game writes them, in two zero
// bytes (a free slot). A file that is not empty, not all zero bytes, and has no whole record among
// its first hundred ending either way cannot be one: it is never replaced, wherever a link leads.
bool CouldBePlayersFile(const QString& path, QString* why) {
    QFile file;
    const int fd = vb::OpenRegularFile(path, O_RDONLY, nullptr);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return true;  // missing, or unreadable: that is said where it is read
    }
    const QByteArray head = file.read(qint64(kMaxPlayers) * kRecordLength);
    if (head.count('\0') == head.size())
        return true;
    for (qsizetype end = kRecordLength; end <= head.size(); end += kRecordLength) {
        const QByteArray marker = head.mid(end - 2, 2);
        if (marker == "\r\n" || marker == QByteArray(2, '\0'))
            return true;
    }
    if (why) {
        *why = QCoreApplication::translate(
                   "PlayersFile",
                   "It is not a players file (%1 bytes without a single players record), so it "
                   "was not replaced.")
                   .arg(file.size());
    }
    return false;
}

// Where a copy of the game that is not installed keeps its results when the place beside it
// cannot: a file of its own in the data folder for each program folder, so that copies stay apart
// and each finds its results again on every later start.
QString MovedFilePath(const QString& dataFolder) {
    const QString folder = QFileInfo(vb::AppPath()).canonicalFilePath();
    const QByteArray id =
        QCryptographicHash::hash(QFile::encodeName(folder.isEmpty() ? vb::AppPath() : folder),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return dataFolder + QStringLiteral("/moved/") + QString::fromLatin1(id) + QStringLiteral("/") +
           kFileName;
}

// What the player is told about where results are kept, when it is not beside the game.
QString g_note;

// Results are not kept in this session; the file at `path` is left as it was.
void RunWithoutStoring(const QString& path, const QString& why) {
    PlayersFilePath.clear();
    g_note = QCoreApplication::translate("PlayersFile", "Results are not kept in this session.");
    Say(QCoreApplication::translate("PlayersFile", "The players file could not be used:") +
        kNewLine + path + kNewLine + kNewLine + why + kNewLine + kNewLine +
        QCoreApplication::translate("PlayersFile", "Results will not be kept in this session."));
}

void CannotOpen(const QString& beside, const QString& fallback) {
    PlayersFilePath.clear();
    g_note = QCoreApplication::translate("PlayersFile", "Results are not kept in this session.");
    Say(QCoreApplication::translate("PlayersFile",
                                    "The players file could not be opened, neither beside "
                                    "the game\r\n%1\r\nnor in your data folder\r\n%2\r\n\r\n"
                                    "Results will not be kept in this session.")
            .arg(beside, fallback));
}

// Takes the file at `path` in the data folder, seeded from `seed` when it does not exist yet.
// False when it cannot be kept there; true with no file when it is there but cannot be used,
// which has then been said.
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
        // Seeded from the file beside the game, in one step like every other write.
        PlayersFileLock lock;
        if (lock.IsLocked() && !QFileInfo::exists(place.path))
            vb::ReplaceFileRange(place.path, 0, QByteArray(), seed.path, nullptr);
    }
    return CanKeepFileAt(place.path);
}

}  // namespace

bool IsInstalledCopy() {
    // The install step puts the menu entry into the data folder of the prefix the program went
    // to, at the same place relative to the program whatever the prefix:
    // /usr/games/../share/applications, ~/.local/bin/../share/applications. A build tree or a
    // folder of one's own has none.
    return QFileInfo(vb::AppPath() + QStringLiteral("/") + QStringLiteral(QUILVARO_INSTALL_MARKER))
        .isFile();
}

QString PlayersFileNote() {
    return g_note;
}

void ChoosePlayersFile() {
    g_note.clear();
    const QString beside = PlayersFilePath;
    const QString data = vb::UserDataPath();
    const Place here = Inspect(beside);

    if (IsInstalledCopy()) {
        // A system folder is no place for results, whoever runs the game: each user keeps them
        // in their own data folder, which every installed copy shares.
        const QString own = data + QStringLiteral("/") + kFileName;
        if (data.isEmpty() || !UseDataFolderFile(own, here))
            CannotOpen(beside, own);
        return;
    }

    const QString moved = data.isEmpty() ? QString() : MovedFilePath(data);
    const bool movedBefore = !moved.isEmpty() && QFileInfo(moved).exists();
    if (!movedBefore) {
        QString why;
        if (here.exists && here.regular && !here.readable) {
            // An unreadable file is not given up for an empty one elsewhere.
            RunWithoutStoring(here.path, here.why);
            return;
        }
        if (here.readable && !CouldBePlayersFile(here.path, &why)) {
            RunWithoutStoring(here.path, why);
            return;
        }
        if ((!here.exists || here.regular) && CanKeepFileAt(here.path)) {
            PlayersFilePath = here.path;
            return;
        }
    }
    // A copy that moved its results once finds them there on every later start, also when the
    // place beside it could take them again.
    if (moved.isEmpty() || !UseDataFolderFile(moved, movedBefore ? Place() : here)) {
        CannotOpen(beside, moved);
        return;
    }
    if (PlayersFilePath.isEmpty())
        return;  // the data folder's file could not be used either; that was said
    g_note = QCoreApplication::translate(
                 "PlayersFile",
                 "Results are kept in your data folder, since they could not be kept beside the "
                 "game:") +
             kNewLine + PlayersFilePath;
    if (movedBefore)
        return;
    const QString why =
        !here.why.isEmpty() ? here.why
        : here.exists && !QFileInfo(here.path).isWritable()
            ? QCoreApplication::translate("PlayersFile", "The file is read-only for you.")
            : QCoreApplication::translate("PlayersFile", "The game's folder is read-only for you.");
    Say(QCoreApplication::translate("PlayersFile",
                                    "Results are kept in your data folder from now on:") +
        kNewLine + PlayersFilePath + kNewLine + kNewLine +
        QCoreApplication::translate("PlayersFile", "They could not be kept beside the game:") +
        kNewLine + beside + kNewLine + why);
}

void LoadPlayers(LoadForm form) {
    // Without the lock the file is read all the same: every write replaces it whole, so what is
    // read is always one complete version of it.
    PlayersFileLock lock;
    vb::RecordFile file;
    const bool open =
        OpenPlayersFile(file, vb::Access::ReadWrite) || OpenPlayersFile(file, vb::Access::ReadOnly);
    // The record count of a file whose length is not a multiple of 60 is rounded, halves to even.
    // It is a 16-bit number: a file of more than 32767 records counts as 32767.
    const qint64 length = open ? file.Lof() : 0;
    const double records = vb::RoundHalfEven(static_cast<double>(length) / kRecordLength);
    PlayerCount = static_cast<Integer>(std::min(records, 32767.0));

    if (PlayerCount > 0) {
        // Records past the hundredth are never read; they stay in the file as they are.
        const int toRead = std::min<int>(PlayerCount, kMaxPlayers);
        for (int i = 1; i <= toRead; ++i)
            Players[i] = DecodeRecord(file.Get(i));
        for (int i = 1; i <= kMaxPlayers; ++i) {
            if (Players[i].Result > BestResult) {
                BestResult = Players[i].Result;
                BestName = Players[i].Name;
                BestPlayer = static_cast<Integer>(i);
            }
            if (form == LoadForm::StartUp && Players[i].InUse()) {
                CurrentPlayer = static_cast<Integer>(i);
                CurrentResult = Players[i].Result;
                CurrentName = Players[i].Name;
            }
        }
    } else if (form == LoadForm::StartUp) {
        CurrentPlayer = 1;
        CurrentResult = Players[1].Result;
        CurrentName = Players[1].Name;
    }
    file.Close();
}

bool SavePlayers() {
    if (PlayersFilePath.isEmpty())
        return false;  // the player was told at start-up that nothing is kept
    PlayersFileLock lock;
    QString why = lock.Why();
    bool stored = false;
    if (lock.IsLocked()) {
        QByteArray records;
        records.reserve(kMaxPlayers * kRecordLength);
        for (int i = 1; i <= kMaxPlayers; ++i)
            records += EncodeRecord(Players[i]);
        // Records 1 to 100 are replaced; whatever lies past them is carried over as it is.
        stored = CouldBePlayersFile(PlayersFilePath, &why) &&
                 vb::ReplaceFileRange(PlayersFilePath, 0, records, QString(), &why);
    }
    if (!stored)
        TellNotStored(
            QCoreApplication::translate(
                "PlayersFile", "The list of players could not be stored in the players file"),
            why);
    return stored;
}

bool StoreCurrentResult() {
    if (CurrentPlayer < 1 || CurrentPlayer > kMaxPlayers)
        return true;
    const int k = CurrentPlayer;
    bool stored = true;
    if (PlayersFilePath.isEmpty()) {
        // The player was told at start-up that results are not kept.
        stored = !(CurrentResult > Players[k].Result);
    } else {
        PlayersFileLock lock;
        QString why = lock.Why();
        vb::RecordFile file;
        if (OpenPlayersFile(file, vb::Access::ReadOnly)) {
            Players[k] = DecodeRecord(file.Get(k));
            file.Close();
        } else if (QFileInfo::exists(PlayersFilePath)) {
            why = QCoreApplication::translate("PlayersFile", "The file could not be read: %1.")
                      .arg(file.ErrorString());
            stored = !(CurrentResult > Players[k].Result);
        } else {
            Players[k] = DecodeRecord(QByteArray());  // a missing file holds no record yet
        }
        if (stored && CurrentResult > Players[k].Result) {
            PlayerRecord updated = Players[k];
            updated.Result = CurrentResult;
            stored = lock.IsLocked() && CouldBePlayersFile(PlayersFilePath, &why) &&
                     vb::ReplaceFileRange(PlayersFilePath, qint64(k - 1) * kRecordLength,
                                          EncodeRecord(updated), QString(), &why);
        }
        if (!stored)
            TellNotStored(ResultNotStored(), why);
    }
    Players[k].Result = CurrentResult;
    return stored;
}

}  // namespace qv
