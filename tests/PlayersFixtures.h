// Small helpers for the players file tests: records, whole files, and the start-up sequence.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <initializer_list>

#include "game/GameState.h"
#include "players/PlayerRecord.h"
#include "players/PlayersFile.h"

namespace qvtest {

inline qv::PlayerRecord Player(const QString& name, std::int32_t result) {
    qv::PlayerRecord r;
    r.Name = qv::FixedName(name);
    r.Result = result;
    r.Marker = qv::kInUseMarker;
    return r;
}

inline QByteArray Records(std::initializer_list<qv::PlayerRecord> records) {
    QByteArray bytes;
    for (const auto& r : records)
        bytes += qv::EncodeRecord(r);
    return bytes;
}

inline bool WriteWholeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray ReadWholeFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// What the main window does when it loads.
inline void StartUp() {
    qv::ResetSharedState();
    qv::InitSettings();
    qv::ChoosePlayersFile();
    qv::LoadPlayers(qv::LoadForm::StartUp);
}

}  // namespace qvtest
