// One player of the players file: a fixed 60-byte record.
//
//   offset 0, 50 bytes  Name    Windows-1251 text, padded with blanks
//   offset 50, 4 bytes  Result  signed 32-bit, little-endian
//   offset 54, 4 bytes  Spare   carried through unchanged
//   offset 58, 2 bytes  Marker  CR LF when the record holds a player; anything else: free
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace qv {

constexpr int kRecordLength = 60;
constexpr int kNameLength = 50;
constexpr int kMaxPlayers = 100;
inline const QString kInUseMarker = QStringLiteral("\r\n");

struct PlayerRecord {
    QString Name = QString(kNameLength, QChar(0));  // always 50 characters
    std::int32_t Result = 0;
    std::array<std::uint8_t, 4> Spare{};
    QString Marker = QString(2, QChar(0));  // always 2 characters

    bool InUse() const { return Marker == kInUseMarker; }
    bool operator==(const PlayerRecord&) const = default;
};

// Assigns a name to the fixed-length field: left-justified, padded with blanks or cut to 50.
QString FixedName(const QString& name);

// The 60 bytes of a record and back.
QByteArray EncodeRecord(const PlayerRecord& record);
PlayerRecord DecodeRecord(const QByteArray& bytes);

// Windows-1251, character for byte. A character 1251 cannot hold becomes "?".
QByteArray ToCp1251(const QString& text);
QString FromCp1251(const QByteArray& bytes);
// The characters of `text` that Windows-1251 cannot hold, each once, in the order they come (a
// pair of UTF-16 units as one character).
QStringList NotIn1251(const QString& text);

// How a stored name is shown: up to its first NUL, without leading and trailing blanks.
QString DisplayName(const QString& name);
// Removes leading and trailing blanks (spaces only; tabs and line breaks stay).
QString Trim(const QString& text);

}  // namespace qv
