// The players file under fire: a worker that adds players and stores results without pause is
// killed with SIGKILL at random moments, again and again; and two workers run at once. After every
// kill the file must be exactly the state before or after the operation that was under way, and
// every finished operation must be in it; after two copies ran at once, every added player and
// every best result must be in the file.
//
// The number of kills is QUILVARO_STRESS_KILLS (default 60), the operations of each concurrent
// worker QUILVARO_CONCURRENT_OPS (default 150); CI runs these tests with larger numbers.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>
#include <map>
#include <optional>
#include <random>

#include "PlayersFixtures.h"

using qvtest::ReadWholeFile;
using qvtest::WriteWholeFile;

namespace {

int EnvCount(const char* name, int fallback) {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(name, &ok);
    return ok && n > 0 ? n : fallback;
}

QString Worker() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/players_worker");
}

struct Op {
    long long seq = 0;
    QByteArray kind;  // "add" or "store"
    QByteArray name;
    int player = 0;
    qint32 result = 0;
};

struct Report {
    std::vector<Op> finished;  // in order
    std::vector<Op> failed;
    std::vector<QByteArray> failures;
    std::optional<Op> underWay;  // begun, neither finished nor failed
};

Report Parse(const QByteArray& output) {
    Report report;
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> w = line.split(' ');
        if (w.size() >= 4 && w[0] == "B") {
            Op op;
            op.seq = w[1].toLongLong();
            op.kind = w[2];
            if (op.kind == "add") {
                op.name = w[3];
            } else if (w.size() >= 5) {
                op.player = w[3].toInt();
                op.result = w[4].toInt();
            }
            report.underWay = op;
        } else if (w.size() >= 2 && (w[0] == "D" || w[0] == "F") && report.underWay &&
                   report.underWay->seq == w[1].toLongLong()) {
            if (w[0] == "D") {
                report.finished.push_back(*report.underWay);
            } else {
                report.failed.push_back(*report.underWay);
                report.failures.push_back(line);
            }
            report.underWay.reset();
        }
    }
    return report;
}

qint32 ResultAt(const QByteArray& file, int player) {
    return qFromLittleEndian<qint32>(file.constData() + (player - 1) * 60 + 50);
}

bool InUseAt(const QByteArray& file, int player) {
    return file.mid((player - 1) * 60 + 58, 2) == "\r\n";
}

// What an operation does to the file's bytes, worked out from the file format alone.
QByteArray Apply(QByteArray file, const Op& op) {
    if (op.kind == "store") {
        if (op.result > ResultAt(file, op.player))
            qToLittleEndian<qint32>(op.result, file.data() + (op.player - 1) * 60 + 50);
        return file;
    }
    int slot = 1;
    while (slot <= 100 && InUseAt(file, slot))
        ++slot;
    if (slot > 100) {
        slot = 1;
        for (int i = 2; i <= 100; ++i) {
            if (ResultAt(file, i) < ResultAt(file, slot))
                slot = i;
        }
    }
    const int at = (slot - 1) * 60;
    file.replace(at, 50, op.name + QByteArray(50 - op.name.size(), ' '));
    qToLittleEndian<qint32>(0, file.data() + at + 50);
    file.replace(at + 58, 2, "\r\n");
    return file;
}

QString FirstDifference(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return QStringLiteral("length %1 instead of %2").arg(a.size()).arg(b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            return QStringLiteral("first difference at byte %1 (record %2)").arg(i).arg(i / 60 + 1);
    }
    return QString();
}

}  // namespace

class TestPlayersStress : public QObject {
    Q_OBJECT
  private slots:
    void killedAtRandomMomentsTheFileIsAlwaysBeforeOrAfterOneOperation() {
        const int kills = EnvCount("QUILVARO_STRESS_KILLS", 60);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.path() + QStringLiteral("/QVPlayers.dat");

        // 30 players, free slots, and 75 bytes past record 100 that must never change.
        std::mt19937 random(4711);
        QByteArray model;
        for (int i = 1; i <= 100; ++i) {
            model += i <= 30 ? qv::EncodeRecord(qvtest::Player(QStringLiteral("Old%1").arg(i),
                                                               static_cast<qint32>(random() % 500)))
                             : QByteArray(60, '\0');
        }
        for (int i = 0; i < 75; ++i)
            model += static_cast<char>(random() & 0xFF);
        const QByteArray tail = model.mid(6000);
        QVERIFY(WriteWholeFile(file, model));

        long long seq = 1;
        qint64 slowest = 0;
        int underWay = 0, cameBefore = 0, cameAfter = 0, finished = 0, leftovers = 0;
        // Kills land from the worker's first operation on, anywhere within a few operations.
        std::uniform_int_distribution<unsigned long> delay(0, 25000);
        for (int kill = 1; kill <= kills; ++kill) {
            QElapsedTimer round;
            round.start();
            QProcess worker;
            worker.setProcessChannelMode(QProcess::SeparateChannels);
            worker.start(Worker(), {QStringLiteral("stress"), dir.path(), QString::number(kill),
                                    QString::number(seq)});
            QVERIFY2(worker.waitForStarted(10000), qPrintable(worker.errorString()));
            QVERIFY2(worker.waitForReadyRead(10000), worker.readAllStandardError().constData());
            QThread::usleep(delay(random));
            QVERIFY2(worker.state() == QProcess::Running,
                     worker.readAllStandardError().constData());
            worker.kill();  // SIGKILL
            QVERIFY(worker.waitForFinished(10000));
            const QByteArray err = worker.readAllStandardError();
            QVERIFY2(worker.exitStatus() == QProcess::CrashExit, err.constData());
            const Report report = Parse(worker.readAllStandardOutput());
            QVERIFY2(report.failed.empty(),
                     report.failures.empty() ? "" : report.failures.front().constData());
            for (const Op& op : report.finished) {
                model = Apply(model, op);
                seq = op.seq + 1;
            }
            const QByteArray before = model;
            finished += static_cast<int>(report.finished.size());
            slowest = std::max(slowest, round.elapsed());
            const QByteArray now = ReadWholeFile(file);
            if (report.underWay) {
                ++underWay;
                seq = report.underWay->seq + 1;
                const QByteArray after = Apply(model, *report.underWay);
                if (now == after && now != model) {
                    ++cameAfter;
                    model = after;
                } else {
                    ++cameBefore;
                }
            }
            QVERIFY2(now == model,
                     qPrintable(QStringLiteral("kill %1: the file is neither before nor after "
                                               "operation %2: %3")
                                    .arg(kill)
                                    .arg(report.underWay ? report.underWay->seq : seq)
                                    .arg(FirstDifference(now, model))));
            QCOMPARE(now.mid(6000), tail);
            // A copy killed between linking its finished new copy into the folder and renaming
            // it over the file leaves that copy behind: it must be the complete state after the
            // operation under way, never anything else.
            for (const QString& entry :
                 QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
                if (entry == QStringLiteral("QVPlayers.dat") ||
                    entry == QStringLiteral("QVPlayers.dat.lock"))
                    continue;
                const QString path = dir.path() + QLatin1Char('/') + entry;
                QVERIFY2(report.underWay && entry.startsWith(QStringLiteral("QVPlayers.dat.")),
                         qPrintable(entry));
                QVERIFY2(ReadWholeFile(path) == Apply(before, *report.underWay), qPrintable(entry));
                ++leftovers;
                QVERIFY(QFile::remove(path));
            }
        }
        qInfo(
            "%d kills: %d finished operations checked, %d kills during an operation (%d left "
            "the state before it, %d the state after it), %d finished copies left beside it, "
            "slowest round %lld ms",
            kills, finished, underWay, cameBefore, cameAfter, leftovers, slowest);
        // The kills must have hit operations under way, or the test proved nothing.
        QVERIFY2(underWay >= kills / 4, "too few kills landed inside an operation");
        QVERIFY(finished > 0);
    }

    void twoCopiesAtOnceLoseNoPlayerAndNoResult() {
        const int ops = EnvCount("QUILVARO_CONCURRENT_OPS", 150);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.path() + QStringLiteral("/QVPlayers.dat");
        QByteArray start;
        for (int i = 1; i <= 100; ++i) {
            start += i <= 20 ? qv::EncodeRecord(qvtest::Player(QStringLiteral("Old%1").arg(i), i))
                             : QByteArray(60, '\0');
        }
        QVERIFY(WriteWholeFile(file, start));

        QProcess a, b;
        a.start(Worker(), {QStringLiteral("concurrent"), dir.path(), QStringLiteral("1"),
                           QString::number(ops), QStringLiteral("A")});
        b.start(Worker(), {QStringLiteral("concurrent"), dir.path(), QStringLiteral("2"),
                           QString::number(ops), QStringLiteral("B")});
        QVERIFY(a.waitForFinished(240000));
        QVERIFY(b.waitForFinished(240000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);

        const QByteArray now = ReadWholeFile(file);
        QCOMPARE(now.size(), 6000);
        std::map<int, qint32> best;
        for (int i = 1; i <= 20; ++i)
            best[i] = i;
        QStringList added;
        int checked = 0;
        for (QProcess* p : {&a, &b}) {
            const Report report = Parse(p->readAllStandardOutput());
            QVERIFY2(report.failed.empty(),
                     report.failures.empty() ? "" : report.failures.front().constData());
            QVERIFY(!report.underWay);
            QCOMPARE(static_cast<int>(report.finished.size()), ops);
            for (const Op& op : report.finished) {
                ++checked;
                if (op.kind == "add") {
                    added << QString::fromLatin1(op.name);
                } else {
                    best[op.player] = std::max(best[op.player], op.result);
                }
            }
        }
        QVERIFY(20 + added.size() <= 100);
        std::map<QString, int> names;
        for (int i = 1; i <= 100; ++i) {
            if (InUseAt(now, i))
                names[qv::DisplayName(qv::DecodeRecord(now.mid((i - 1) * 60, 60)).Name)] = i;
        }
        QCOMPARE(static_cast<int>(names.size()), 20 + static_cast<int>(added.size()));
        for (const QString& name : added)
            QVERIFY2(names.count(name) == 1, qPrintable(name + QStringLiteral(" is missing")));
        for (const auto& [player, result] : best) {
            QVERIFY2(ResultAt(now, player) == result,
                     qPrintable(QStringLiteral("record %1 holds %2, best stored %3")
                                    .arg(player)
                                    .arg(ResultAt(now, player))
                                    .arg(result)));
        }
        qInfo("%d concurrent operations checked: %lld players added, %d records' best results",
              checked, static_cast<long long>(added.size()), static_cast<int>(best.size()));
    }
};

QTEST_GUILESS_MAIN(TestPlayersStress)
#include "test_players_stress.moc"
