// The players file under fire: players_worker, killed with SIGKILL at random moments, must leave
// the state before or after the operation under way, with every finished one in it; two workers
// at once must lose nothing. QUILVARO_STRESS_KILLS and QUILVARO_CONCURRENT_OPS raise the counts.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>
#include <functional>
#include <map>
#include <optional>
#include <random>

#include "PlayersFixtures.h"

using namespace qvtest;

namespace {

int EnvCount(const char* name, int fallback) {
    const int n = qEnvironmentVariableIntValue(name);
    return n > 0 ? n : fallback;
}

// 100 records: `players` of them in use with the results given, then free slots.
QByteArray Seed(int players, std::function<qint32(int)> result) {
    QByteArray bytes(6000, '\0');
    for (int i = 1; i <= players; ++i)
        bytes.replace((i - 1) * 60, 60,
                      qv::EncodeRecord(Player(QString("Old%1").arg(i), result(i))));
    return bytes;
}

struct Op {
    long long seq;
    QByteArray kind, name;  // "add" with the name, or "store"
    int player;
    qint32 result;
};

// The worker's lines: the operations it finished, the one under way when it ended, a failure.
struct Report {
    std::vector<Op> finished;
    std::optional<Op> underWay;
    QByteArray failure;
    explicit Report(const QByteArray& output) {
        for (const QByteArray& line : output.split('\n')) {
            const QList<QByteArray> w = line.split(' ');
            if (w[0] == "B" && w.size() >= 4) {
                underWay = Op{w[1].toLongLong(), w[2], w[3], w[3].toInt(), w.value(4).toInt()};
            } else if (w.size() >= 2 && underWay && underWay->seq == w[1].toLongLong()) {
                if (w[0] == "D")
                    finished.push_back(*underWay);
                else if (failure.isEmpty())
                    failure = line;
                underWay.reset();
            }
        }
    }
};

qint32 ResultAt(const QByteArray& file, int k) {
    return qFromLittleEndian<qint32>(file.constData() + (k - 1) * 60 + 50);
}

bool InUseAt(const QByteArray& file, int k) {
    return file.mid((k - 1) * 60 + 58, 2) == "\r\n";
}

// What an operation does to the file, worked out from the file format alone.
QByteArray Apply(QByteArray file, const Op& op) {
    if (op.kind == "store") {
        if (op.result > ResultAt(file, op.player))
            qToLittleEndian<qint32>(op.result, file.data() + (op.player - 1) * 60 + 50);
        return file;
    }
    int slot = 1;
    while (slot <= 100 && InUseAt(file, slot))
        ++slot;
    if (slot > 100) {  // full: the lowest result, the first on a tie
        slot = 1;
        for (int i = 2; i <= 100; ++i)
            slot = ResultAt(file, i) < ResultAt(file, slot) ? i : slot;
    }
    return file.replace((slot - 1) * 60, 60, qv::EncodeRecord(Player(QString(op.name), 0)));
}

QProcess* Start(QProcess& p, const QStringList& args) {
    p.start(QCoreApplication::applicationDirPath() + "/players_worker", args);
    return &p;
}

}  // namespace

class TestPlayersStress : public QObject {
    Q_OBJECT
  private slots:
    void killedAtRandomMomentsTheFileIsAlwaysBeforeOrAfterOneOperation() {
        const int kills = EnvCount("QUILVARO_STRESS_KILLS", 60);
        QTemporaryDir dir;
        const QString file = dir.path() + "/QVPlayers.dat";
        // 30 players, free slots, and 75 bytes past record 100 that must never change.
        std::mt19937 random(4711);
        QByteArray model = Seed(30, [&](int) { return random() % 500; });
        for (int i = 0; i < 75; ++i)
            model += static_cast<char>(random());
        QVERIFY(WriteWholeFile(file, model));
        long long seq = 1;
        int underWay = 0, cameAfter = 0, finished = 0, leftovers = 0;
        std::uniform_int_distribution<unsigned long> delay(0, 25000);
        for (int kill = 1; kill <= kills; ++kill) {
            QProcess worker;
            Start(worker, {"stress", dir.path(), QString::number(kill), QString::number(seq)});
            QVERIFY2(worker.waitForReadyRead(10000), worker.readAllStandardError().constData());
            while (kill % 2 == 0 && !worker.peek(1 << 20).contains("\nD ") &&
                   worker.waitForReadyRead(10000)) {
            }  // half the kills after one finished operation at least, however busy the machine
            QThread::usleep(delay(random));  // within the next few operations
            QVERIFY(worker.state() == QProcess::Running);
            worker.kill();
            QVERIFY(worker.waitForFinished(10000) && worker.exitStatus() == QProcess::CrashExit);
            const Report report(worker.readAllStandardOutput());
            QVERIFY2(report.failure.isEmpty(), report.failure.constData());
            for (const Op& op : report.finished)
                model = Apply(model, op);
            finished += static_cast<int>(report.finished.size());
            seq += static_cast<long long>(report.finished.size()) + (report.underWay ? 1 : 0);
            const QByteArray before = model, now = ReadWholeFile(file);
            if (report.underWay && (++underWay, now == Apply(model, *report.underWay))) {
                cameAfter += now != model;
                model = now;
            }
            QVERIFY2(now == model,
                     qPrintable(QString("kill %1: neither before nor after").arg(kill)));
            // Killed between writing its new copy and renaming it over the old file, a copy
            // leaves that new file behind: it must hold the whole state after the operation.
            for (const QString& entry : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
                if (entry == "QVPlayers.dat" || entry == "QVPlayers.dat.lock")
                    continue;
                QVERIFY2(report.underWay && entry.startsWith("QVPlayers.dat."), qPrintable(entry));
                QVERIFY(ReadWholeFile(dir.filePath(entry)) == Apply(before, *report.underWay));
                QVERIFY(QFile::remove(dir.filePath(entry)) && ++leftovers);
            }
        }
        qInfo(
            "%d kills: %d finished operations checked, %d kills during an operation (%d left "
            "the state after it), %d new files left beside it",
            kills, finished, underWay, cameAfter, leftovers);
        QVERIFY2(underWay >= kills / 4 && finished > 0, "too few kills landed in an operation");
    }

    // Two copies in one folder, or in two folders whose files are links to one shared file.
    void twoCopiesAtOnceLoseNoPlayerAndNoResult_data() {
        QTest::addColumn<bool>("links");
        QTest::newRow("one folder") << false;
        QTest::newRow("two links to one file") << true;
    }
    void twoCopiesAtOnceLoseNoPlayerAndNoResult() {
        QFETCH(bool, links);
        const QString ops = QString::number(EnvCount("QUILVARO_CONCURRENT_OPS", 150));
        QTemporaryDir dir;
        const QString file = dir.path() + "/QVPlayers.dat";
        std::map<int, qint32> best;
        QVERIFY(WriteWholeFile(file, Seed(20, [&](int i) { return best[i] = i; })));
        const QStringList folders = links ? QStringList{dir.filePath("a"), dir.filePath("b")}
                                          : QStringList{dir.path(), dir.path()};
        for (const QString& f : folders)
            QVERIFY(!links || (QDir().mkpath(f) && QFile::link(file, f + "/QVPlayers.dat")));
        QProcess a, b;
        QStringList added, names;
        for (QProcess* p : {Start(a, {"concurrent", folders[0], "1", ops, "A"}),
                            Start(b, {"concurrent", folders[1], "2", ops, "B"})}) {
            QVERIFY(p->waitForFinished(240000) && p->exitCode() == 0);
            const Report report(p->readAllStandardOutput());
            QVERIFY2(report.failure.isEmpty(), report.failure.constData());
            QCOMPARE(QString::number(report.finished.size()), ops);
            for (const Op& op : report.finished) {
                if (op.kind == "add")
                    added << QString::fromLatin1(op.name);
                else
                    best[op.player] = std::max(best[op.player], op.result);
            }
        }
        const QByteArray now = ReadWholeFile(file);
        QCOMPARE(now.size(), 6000);
        for (const QString& f : folders)  // links stay links
            QCOMPARE(QFileInfo(f + "/QVPlayers.dat").isSymLink(), links);
        for (int i = 1; i <= 100; ++i)
            names << (InUseAt(now, i)
                          ? qv::DisplayName(qv::DecodeRecord(now.mid((i - 1) * 60)).Name)
                          : "");
        names.removeAll("");
        QCOMPARE(names.size(), 20 + added.size());
        for (const QString& name : added)
            QVERIFY2(names.count(name) == 1, qPrintable(name + " is missing"));
        for (const auto& [player, result] : best)
            QCOMPARE(ResultAt(now, player), result);
        qInfo(
            "%s concurrent operations each, checked: %lld players added, %d records' best results",
            qPrintable(ops), static_cast<long long>(added.size()), static_cast<int>(best.size()));
    }
};

QTEST_GUILESS_MAIN(TestPlayersStress)
#include "test_players_stress.moc"
