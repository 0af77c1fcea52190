// The 60-byte record and its Windows-1251 names.
#include <QTest>

#include "players/PlayerRecord.h"

using namespace qv;

class TestPlayerRecord : public QObject {
    Q_OBJECT
  private slots:
    void layoutOfARecord() {
        PlayerRecord r;
        r.Name = FixedName(QStringLiteral("Twelve chars"));
        r.Result = 1234;
        r.Spare = {0xDE, 0xAD, 0xBE, 0xEF};
        r.Marker = kInUseMarker;
        const QByteArray bytes = EncodeRecord(r);
        QCOMPARE(bytes.size(), 60);
        QCOMPARE(bytes.left(12), QByteArray("Twelve chars"));
        QCOMPARE(bytes.mid(12, 38), QByteArray(38, ' '));
        QCOMPARE(bytes.mid(50, 4), QByteArray("\xD2\x04\x00\x00", 4));
        QCOMPARE(bytes.mid(54, 4), QByteArray("\xDE\xAD\xBE\xEF", 4));
        QCOMPARE(bytes.mid(58, 2), QByteArray("\r\n"));
        QCOMPARE(DecodeRecord(bytes), r);
    }

    void negativeAndExtremeResults() {
        for (std::int32_t v : {-1, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max()}) {
            PlayerRecord r;
            r.Result = v;
            QCOMPARE(DecodeRecord(EncodeRecord(r)).Result, v);
        }
        QCOMPARE(EncodeRecord([] {
                     PlayerRecord r;
                     r.Result = -2;
                     return r;
                 }())
                     .mid(50, 4),
                 QByteArray("\xFE\xFF\xFF\xFF", 4));
    }

    void neverFilledRecordIsSixtyZeroBytes() {
        QCOMPARE(EncodeRecord(PlayerRecord{}), QByteArray(60, '\0'));
        QVERIFY(!PlayerRecord{}.InUse());
        QCOMPARE(DisplayName(PlayerRecord{}.Name), QString());
    }

    void fixedNamePadsAndCuts() {
        QCOMPARE(FixedName(QString()).size(), 50);
        const QString sixty = QString(60, QLatin1Char('x'));
        QCOMPARE(FixedName(sixty), QString(50, QLatin1Char('x')));
        QCOMPARE(FixedName(QStringLiteral("   ")), QString(50, QLatin1Char(' ')));
    }

    void cyrillicRoundTrip() {
        const QString name = QStringLiteral("Ёжик в тумане №1 «ЇЎ»");
        const QByteArray bytes = ToCp1251(name);
        QCOMPARE(bytes.size(), name.size());
        QCOMPARE(static_cast<unsigned char>(bytes.at(0)), 0xA8);  // Ё
        QCOMPARE(static_cast<unsigned char>(bytes.at(1)), 0xE6);  // ж
        QCOMPARE(FromCp1251(bytes), name);
        // Every byte value survives a load and a save.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        QCOMPARE(ToCp1251(FromCp1251(all)), all);
    }

    void unrepresentableCharactersBecomeQuestionMarks() {
        QCOMPARE(ToCp1251(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
        QCOMPARE(ToCp1251(QStringLiteral("x\U0001F600y")), QByteArray("x?y"));
        PlayerRecord r;
        r.Name = FixedName(QString(49, QLatin1Char('n')) + QStringLiteral("\U0001F600"));
        const QByteArray bytes = EncodeRecord(r);
        QCOMPARE(bytes.size(), 60);
        QCOMPARE(bytes.at(49), '?');
    }

    void shownNamesEndAtNulAndLoseOnlyBlanks() {
        QCOMPARE(DisplayName(QStringLiteral("  Ann  ")), QStringLiteral("Ann"));
        QCOMPARE(DisplayName(QStringLiteral("Bob") + QChar(0) + QStringLiteral("junk")),
                 QStringLiteral("Bob"));
        QCOMPARE(Trim(QStringLiteral("\tAnn\r\n ")), QStringLiteral("\tAnn\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestPlayerRecord)
#include "test_player_record.moc"
