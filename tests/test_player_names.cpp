// A player's name is text, never markup: names that look like HTML show as typed in the main
// window's name boxes and in the message box that says a result could not be stored.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "PlayersFixtures.h"
#include "TestRuntime.h"
#include "app/Form1.h"
#include "game/GameState.h"
#include "platform/WidgetRuntime.h"
#include "players/PlayersFile.h"
#include "players/PlayersFileLock.h"

using namespace qv;
using qvtest::Player;
using qvtest::Records;
using qvtest::WriteWholeFile;

namespace {

const QString kBold = QStringLiteral("<b>x</b>");
const QString kImage = QStringLiteral("<img src=/etc/passwd>");

// What a message box showed, read while it is open, and then closed.
struct ShownBox {
    bool seen = false;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QStringList plainLabels;  // texts of the box's labels that show plain text
};

void WatchForMessageBox(ShownBox& shown) {
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            WatchForMessageBox(shown);  // not open yet
            return;
        }
        shown.seen = true;
        shown.text = box->text();
        shown.format = box->textFormat();
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->textFormat() == Qt::PlainText)
                shown.plainLabels << label->text();
        }
        box->accept();
    });
}

}  // namespace

class TestPlayerNames : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ResetSharedState();
        SetPlayersFileLockTimeout(0);
    }

    void nameBoxesShowMarkupAsTyped() {
        qvtest::TestRuntime rt;
        QVERIFY(WriteWholeFile(rt.PlayersFile(), Records({Player(kImage, 90), Player(kBold, 4)})));
        Form1 form;
        form.Show();
        QCOMPARE(form.Text1(0).Text(), kBold);
        QCOMPARE(form.Text1(1).Text(), kImage);
        QCOMPARE(form.Text1Box(0)->displayText(), kBold);
        QCOMPARE(form.Text1Box(1)->displayText(), kImage);
    }

    void theMessageBoxShowsTheNameAsText() {
        qvtest::TestRuntime rt;
        QVERIFY(WriteWholeFile(rt.PlayersFile(), Records({Player(kBold, 4)})));
        qvtest::StartUp();
        vb::InstallWidgetRuntime();  // the real message box
        // A folder in the file's place: the result cannot be stored and the box says so.
        QVERIFY(QFile::remove(rt.PlayersFile()));
        QVERIFY(QDir().mkpath(rt.PlayersFile()));
        ShownBox shown;
        WatchForMessageBox(shown);
        CurrentResult = 10;
        QVERIFY(!StoreCurrentResult());
        QVERIFY(shown.seen);
        QCOMPARE(shown.format, Qt::PlainText);
        QVERIFY2(shown.text.contains(QStringLiteral("Player: ") + kBold), qPrintable(shown.text));
        bool literal = false;
        for (const QString& label : shown.plainLabels)
            literal = literal || label.contains(kBold);
        QVERIFY(literal);
    }
};

QTEST_MAIN(TestPlayerNames)
#include "test_player_names.moc"
