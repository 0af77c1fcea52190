// The About box: its title, no icon, and the rules text line by line with the lengths of its lines.
#include <QTest>

#include "TestRuntime.h"
#include "app/About.h"
#include "app/Form1.h"
#include "game/GameState.h"

using namespace qv;

class TestAbout : public QObject {
    Q_OBJECT
  private slots:
    void init() { ResetSharedState(); }

    void theAboutTextLineByLine() {
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        GameInProgress = true;  // available during a game too
        static_cast<vb::MenuAction&>(form.mnuAbout()).Action()->trigger();
        QCOMPARE(rt.messages.size(), 1u);
        const qvtest::Message& m = rt.messages.front();
        QCOMPARE(m.title, QStringLiteral("Rules and options."));
        QCOMPARE(m.icon, vb::MsgIcon::None);
        QCOMPARE(m.text, AboutText());
        QVERIFY(!m.text.endsWith(QStringLiteral("\r\n")));
        QCOMPARE(m.text.count(QLatin1Char('\n')), m.text.count(QStringLiteral("\r\n")));

        const QStringList lines = m.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 14);
        const QStringList fixed = {
            "",
            "   Rules:",
            "   Select balls by click,  then  select free place  in  box to move it  there. ",
            "When five (or more) balls one colored in one line occure,  they  disappear ",
            "and bring you five (or more) puncts to your score.  Control new balls that ",
            "will appear at next move in right side of picture.",
            "   To remember your result put yor name in players list or select from list ",
            "befor starting game. ",
            "   To change picture size click  \"Zoom\"  button and select scale is",
            "needing for.",
            "",
        };
        const int lengths[] = {0, 9, 79, 75, 75, 50, 76, 21, 67, 12, 0};
        for (int i = 0; i < fixed.size(); ++i) {
            QCOMPARE(lines[i + 1], fixed[i]);
            QCOMPARE(lines[i + 1].size(), lengths[i]);
        }
        // Our own lines: indented by 3, 30 and 34 blanks, in the game's own names.
        auto indent = [](const QString& line) {
            int n = 0;
            while (n < line.size() && line[n] == QLatin1Char(' '))
                ++n;
            return n;
        };
        QCOMPARE(indent(lines[0]), 3);
        QCOMPARE(indent(lines[12]), 30);
        QCOMPARE(indent(lines[13]), 34);
        QVERIFY(lines[0].contains(QStringLiteral("QUILVARO")));
        QVERIFY(lines[12].contains(QStringLiteral("QUILVARO")));
        QVERIFY(lines[12].contains(QStringLiteral("Dremwick")));
        QVERIFY(lines[13].contains(QStringLiteral("Dremwick")));
        QVERIFY(lines[13].contains(QStringLiteral("2005")));
        for (int i : {0, 12, 13})
            QVERIFY(!lines[i].endsWith(QLatin1Char(' ')) && lines[i].size() <= 79);
        // Nothing else happened.
        QVERIFY(GameInProgress);
        QCOMPARE(rt.events.size(), 1);
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
