#include "players/PlayerRecord.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

namespace qv {

namespace {

// Windows-1251, bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F. The byte 0x98 has no
// character; it is kept as U+0098 so that any stored byte survives a load and a save.
constexpr char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char16_t ByteToChar(unsigned char b) {
    if (b < 0x80)
        return b;
    if (b < 0xC0)
        return kHigh[b - 0x80];
    return static_cast<char16_t>(0x0410 + (b - 0xC0));
}

const std::unordered_map<char16_t, char>& CharToByte() {
    static const std::unordered_map<char16_t, char> table = [] {
        std::unordered_map<char16_t, char> t;
        for (int b = 0x80; b <= 0xFF; ++b)
            t[ByteToChar(static_cast<unsigned char>(b))] = static_cast<char>(b);
        return t;
    }();
    return table;
}

}  // namespace

QByteArray ToCp1251(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    const auto& table = CharToByte();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;  // one character outside the basic plane: one "?"
            bytes.append('?');
        } else if (c < 0x80) {
            bytes.append(static_cast<char>(c));
        } else {
            auto it = table.find(c);
            bytes.append(it != table.end() ? it->second : '?');
        }
    }
    return bytes;
}

QString FromCp1251(const QByteArray& bytes) {
    QString text(bytes.size(), QChar(0));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        text[i] = QChar(ByteToChar(static_cast<unsigned char>(bytes.at(i))));
    }
    return text;
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
