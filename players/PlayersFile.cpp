#include "players/PlayersFile.h"

#include <QCoreApplication>
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

}  // namespace

namespace {
QString g_installedFolder = QStringLiteral(QUILVARO_INSTALLED_BINDIR);

bool RunsFromInstalledFolder() {
    const QString here = QFileInfo(vb::AppPath()).canonicalFilePath();
    return !here.isEmpty() && here == QFileInfo(g_installedFolder).canonicalFilePath();
}
}  // namespace

QString InstalledProgramFolder() {
    return g_installedFolder;
}
void SetInstalledProgramFolder(const QString& folder) {
    g_installedFolder = folder;
}

void ChoosePlayersFile() {
    const QString beside = PlayersFilePath;
    if (!beside.isEmpty() && !RunsFromInstalledFolder() && CanKeepFileAt(beside))
        return;

    const QString folder = vb::UserDataPath();
    const QString fallback = folder + QStringLiteral("/") + kFileName;
    if (!folder.isEmpty() && QDir().mkpath(folder)) {
        PlayersFilePath = fallback;
        const QFileInfo besideInfo(beside);
        if (!QFileInfo::exists(fallback) && besideInfo.isFile() && besideInfo.isReadable()) {
            // Seeded from the file beside the game, in one step like every other write.
            PlayersFileLock lock;
            if (lock.IsLocked() && !QFileInfo::exists(fallback))
                vb::ReplaceFileRange(fallback, 0, QByteArray(), beside, nullptr);
        }
        if (CanKeepFileAt(fallback))
            return;
    }
    PlayersFilePath.clear();
    vb::MsgBox(QCoreApplication::translate("PlayersFile",
                                           "The players file could not be opened, neither beside "
                                           "the game\r\n%1\r\nnor in your data folder\r\n%2\r\n\r\n"
                                           "Results will not be kept in this session.")
                   .arg(beside, fallback),
               vb::MsgIcon::Exclamation, kMessageTitle);
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
        stored = vb::ReplaceFileRange(PlayersFilePath, 0, records, QString(), &why);
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
            stored = lock.IsLocked() &&
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
