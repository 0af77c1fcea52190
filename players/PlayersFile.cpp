#include "players/PlayersFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "game/GameState.h"
#include "platform/RecordFile.h"
#include "platform/Runtime.h"

namespace qv {

namespace {

const QString kFileName = QStringLiteral("QVPlayers.dat");
const QString kMessageTitle = QStringLiteral("QUILVARO");

bool CanOpenReadWrite(const QString& path) {
    vb::RecordFile file;
    return file.Open(path, kRecordLength);
}

bool OpenPlayersFile(vb::RecordFile& file) {
    if (PlayersFilePath.isEmpty())
        return false;
    PlayersFileNo = vb::FreeFile();
    return file.Open(PlayersFilePath, kRecordLength, PlayersFileNo);
}

void TellNotStored(const QString& why) {
    vb::MsgBox(QStringLiteral("Your result could not be stored in the players file") +
                   QStringLiteral("\r\n") + PlayersFilePath + QStringLiteral("\r\n\r\n") + why,
               vb::MsgIcon::Exclamation, kMessageTitle);
}

}  // namespace

void ChoosePlayersFile() {
    const QString beside = PlayersFilePath;
    if (CanOpenReadWrite(beside))
        return;

    const QString folder = vb::UserDataPath();
    const QString fallback = folder + QStringLiteral("/") + kFileName;
    if (!folder.isEmpty() && QDir().mkpath(folder)) {
        const QFileInfo besideInfo(beside);
        if (!QFileInfo::exists(fallback) && besideInfo.isFile() && besideInfo.isReadable()) {
            QFile::copy(beside, fallback);
            QFile::setPermissions(fallback, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther);
        }
        if (CanOpenReadWrite(fallback)) {
            PlayersFilePath = fallback;
            return;
        }
    }
    PlayersFilePath.clear();
    vb::MsgBox(QStringLiteral("The players file could not be opened, neither beside the game") +
                   QStringLiteral("\r\n") + beside +
                   QStringLiteral("\r\nnor in your data folder\r\n") + fallback +
                   QStringLiteral("\r\n\r\nResults will not be kept in this session."),
               vb::MsgIcon::Exclamation, kMessageTitle);
}

void LoadPlayers(LoadForm form) {
    vb::RecordFile file;
    const bool open = OpenPlayersFile(file);
    // The record count of a file whose length is not a multiple of 60 is rounded, halves to even.
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
    vb::RecordFile file;
    if (!OpenPlayersFile(file)) {
        if (!PlayersFilePath.isEmpty())
            TellNotStored(file.ErrorString());
        return false;
    }
    for (int i = 1; i <= kMaxPlayers; ++i) {
        if (!file.Put(i, EncodeRecord(Players[i]))) {
            const QString why = file.ErrorString();
            file.Close();
            TellNotStored(why);
            return false;
        }
    }
    file.Close();
    return true;
}

bool StoreCurrentResult() {
    if (CurrentPlayer < 1 || CurrentPlayer > kMaxPlayers)
        return true;
    bool stored = true;
    vb::RecordFile file;
    if (OpenPlayersFile(file)) {
        Players[CurrentPlayer] = DecodeRecord(file.Get(CurrentPlayer));
        if (CurrentResult > Players[CurrentPlayer].Result) {
            Players[CurrentPlayer].Result = CurrentResult;
            if (!file.Put(CurrentPlayer, EncodeRecord(Players[CurrentPlayer]))) {
                TellNotStored(file.ErrorString());
                stored = false;
            }
        }
        file.Close();
    } else if (!PlayersFilePath.isEmpty() && CurrentResult > Players[CurrentPlayer].Result) {
        TellNotStored(file.ErrorString());
        stored = false;
    }
    Players[CurrentPlayer].Result = CurrentResult;
    return stored;
}

}  // namespace qv
