// Records, whole players files, and the start-up sequence of the main window.
#pragma once

#include <QFile>

#include "TestRuntime.h"
#include "game/GameState.h"
#include "players/PlayerRecord.h"
#include "players/PlayersFile.h"

namespace qvtest {

inline qv::PlayerRecord Player(const QString& name, std::int32_t result, bool inUse = true) {
    return {qv::FixedName(name), result, {}, inUse ? qv::kInUseMarker : QString(2, QChar(0))};
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
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void StartUp() {
    qv::ResetSharedState();
    qv::InitSettings();
    qv::ChoosePlayersFile();
    qv::LoadPlayers(qv::LoadMode::StartUp);
}

// One message box, holding every one of `parts`.
inline bool SaidOnce(const TestRuntime& rt, const QStringList& parts) {
    bool ok = rt.messages.size() == 1;
    for (const QString& part : parts)
        ok = ok && rt.messages[0].text.contains(part);
    for (std::size_t i = 0; !ok && i < rt.messages.size(); ++i)
        qWarning("message: %s", qPrintable(rt.messages[i].text));
    return ok;
}

}  // namespace qvtest
