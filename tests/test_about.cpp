// The About box: its title, no icon, and the rules text line by line with the lengths of its lines.
#include <QTest>

#include "TestRuntime.h"
#include "app/Form1.h"
#include "game/GameState.h"

using namespace qv;

class TestAbout : public QObject {
    Q_OBJECT
  private slots:
    void theRulesLineByLine() {
        ResetSharedState();
        qvtest::TestRuntime rt;
        Form1 form;
        form.Show();
        GameInProgress = true;  // available during a game too
        static_cast<vb::MenuAction&>(form.mnuAbout()).Action()->trigger();
        QCOMPARE(rt.messages.size(), 1u);
        QCOMPARE(rt.messages[0].title, QStringLiteral("Rules and options."));
        QCOMPARE(rt.messages[0].icon, vb::MsgIcon::None);
        const QString text = rt.messages[0].text;
        QCOMPARE(text.count('\n'), 13);  // 14 lines, every break a CR LF, none after the last
        const QStringList lines = text.split(QStringLiteral("\r\n"));
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
        // Ours: a statement indented by 3 blanks, credits by 30 and 34, in the game's own names.
        const struct {
            int line, indent;
            QStringList words;
        } own[] = {{0, 3, {"QUILVARO"}},
                   {12, 30, {"QUILVARO", "Dremwick"}},
                   {13, 34, {"Dremwick", "2005"}}};
        for (const auto& o : own) {
            const QString& line = lines[o.line];
            QCOMPARE(line.size() - line.trimmed().size(), o.indent);
            QVERIFY(line.at(o.indent) != ' ' && line.size() <= 79);
            for (const QString& word : o.words)
                QVERIFY(line.contains(word));
        }
        QCOMPARE(rt.events.size(), 1);  // nothing else happened
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
