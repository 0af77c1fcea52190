#include "players/PlayerRecord.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>

namespace qv {

namespace {

// Qt's ICU codec: every one of the 256 bytes has a character and back, 0x98 (which has none in
// Windows-1251) as U+0098, so that any stored byte survives a load and a save.
constexpr const char* kCodePage = "windows-1251";

// The text's characters one by one (a pair of UTF-16 units counts as one).
template <typename Each>
void ForEachCharacter(const QString& text, Each each) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        each(QStringView(text).mid(i, n));
        i += n - 1;
    }
}

}  // namespace

QByteArray ToCp1251(const QString& text) {
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder(text);
    if (!encoder.hasError())
        return bytes;
    bytes.clear();
    ForEachCharacter(text, [&bytes](QStringView c) {
        QStringEncoder one(kCodePage, QStringConverter::Flag::Stateless);
        const QByteArray b = one(c);
        bytes += one.hasError() ? QByteArray("?") : b;
    });
    return bytes;
}

QString FromCp1251(const QByteArray& bytes) {
    return QStringDecoder(kCodePage)(bytes);
}

QStringList NotIn1251(const QString& text) {
    QStringList found;
    ForEachCharacter(text, [&found](QStringView c) {
        QStringEncoder one(kCodePage, QStringConverter::Flag::Stateless);
        const QByteArray b = one(c);  // converted only when taken
        if (one.hasError() && !found.contains(c))
            found << c.toString();
    });
    return found;
}

QString FixedName(const QString& name) {
    if (name.size() >= kNameLength)
        return name.left(kNameLength);
    return name + QString(kNameLength - name.size(), QLatin1Char(' '));
}

QByteArray EncodeRecord(const PlayerRecord& record) {
    QByteArray bytes(kRecordLength, '\0');
    QByteArray name = ToCp1251(record.Name).left(kNameLength);
    // A character that took two UTF-16 units becomes one byte: the field is padded to its size.
    if (name.size() < kNameLength)
        name.append(QByteArray(kNameLength - name.size(), ' '));
    std::memcpy(bytes.data(), name.constData(), kNameLength);
    qToLittleEndian<std::int32_t>(record.Result, bytes.data() + 50);
    std::memcpy(bytes.data() + 54, record.Spare.data(), 4);
    QByteArray marker = ToCp1251(record.Marker).left(2);
    if (marker.size() < 2)
        marker.append(QByteArray(2 - marker.size(), '\0'));
    std::memcpy(bytes.data() + 58, marker.constData(), 2);
    return bytes;
}

PlayerRecord DecodeRecord(const QByteArray& bytes) {
    // Exactly one record: a short one is padded with zero bytes, nothing past it is looked at.
    std::array<char, kRecordLength> full{};
    std::memcpy(full.data(), bytes.constData(),
                static_cast<std::size_t>(std::min<qsizetype>(bytes.size(), kRecordLength)));
    PlayerRecord record;
    record.Name = FromCp1251(QByteArray(full.data(), kNameLength));
    record.Result = qFromLittleEndian<std::int32_t>(full.data() + 50);
    std::memcpy(record.Spare.data(), full.data() + 54, 4);
    record.Marker = FromCp1251(QByteArray(full.data() + 58, 2));
    return record;
}

QString Trim(const QString& text) {
    qsizetype first = 0, last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString DisplayName(const QString& name) {
    const qsizetype nul = name.indexOf(QChar(0));
    return Trim(nul < 0 ? name : name.left(nul));
}

}  // namespace qv
