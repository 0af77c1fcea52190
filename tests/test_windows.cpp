// The main window and what it shows: the picture's dots and their exact erasing, the players, the
// layout pass against its numbers, keys, Quit and closing, names shown as text, the About box, and
// the title window's hand-over.
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "GameDriver.h"
#include "PlayersFixtures.h"
#include "app/frmLabel.h"
#include "platform/WidgetRuntime.h"
#include "players/PlayersFileLock.h"

using namespace qv;
using namespace qvtest;

// Twips read back are whole pixels of 15 twips: a designed value is met within one pixel.
#define QCOMPARE_TWIPS(actual, designed)              \
    QVERIFY2(std::abs((actual) - (designed)) <= 15.0, \
             qPrintable(QString("%1 is %2, designed %3").arg(#actual).arg(actual).arg(designed)))

class TestWindows : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ResetSharedState();
        SetPlayersFileLockTimeout(0);
    }

    void aDotOfTheBackgroundErasesADotExactly() {
        // Every ball, selection and flash size at many sub-pixel positions and densities: what
        // remains must be the background, exactly; a smaller eraser would leave a ring.
        vb::Canvas c;
        for (qreal dpr : {1.0, 1.5, 2.0}) {
            c.SetSize(QSize(311, 311), dpr);
            c.Scale(0, 0, 9, 9);
            c.SetBackColor(vb::RGB(255, 255, 255));
            for (int w : {54, 65, 43, 36, 29, 27, 32, 22, 26, 18, 14, 11, 9}) {
                for (int extra : {0, 1, 7}) {
                    for (double x = 0.5; x < 9; x += 0.25) {
                        c.SetDrawWidth(w);
                        c.PSet(x, 9 - x + 0.125 * extra, vb::RGB(0, 0, 230));
                        c.SetDrawWidth(w + extra);
                        c.PSet(x, 9 - x + 0.125 * extra, vb::RGB(255, 255, 255));
                    }
                }
            }
            QImage blank = c.Image();
            blank.fill(Qt::white);
            QVERIFY2(c.Image() == blank, qPrintable(QString::number(dpr)));
        }
    }

    void onlyChangedPixelsAreRepaintedAndCopiesKeepTheirPixels() {
        vb::Canvas c;
        c.SetSize(QSize(90, 90));
        c.Scale(0, 0, 9, 9);
        c.SetBackColor(vb::RGB(255, 255, 255));
        c.SetForeColor(vb::RGB(0, 0, 0));
        c.Line(0, 3, 9, 3);
        c.TakeDirty();
        const QImage before = c.Image();
        c.Line(0, 3, 9, 3);  // over itself: nothing changes, no repaint
        QVERIFY(c.TakeDirty().isEmpty());
        c.SetDrawWidth(9);
        c.PSet(4.5, 3, vb::RGB(255, 255, 255));
        c.SetDrawWidth(1);
        c.Line(0, 3, 9, 3);
        // Only the stretch the white dot had cut out of the line is repainted.
        const QRect d = c.TakeDirty();
        QVERIFY(d.top() == 30 && d.height() == 1 && d.width() <= 10 && d.left() >= 40);
        c.Cls();  // a copy taken before keeps what it showed
        QVERIFY(before.pixel(0, 30) == qRgb(0, 0, 0) &&
                c.Image().pixel(0, 30) == qRgb(255, 255, 255));
    }

    void theBallColours_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QColor>("colour");
        const QColor colours[] = {
            Qt::black,           QColor(255, 0, 50),  QColor(0, 255, 100),  QColor(0, 0, 230),
            QColor(255, 245, 0), QColor(0, 245, 255), QColor(255, 50, 205), Qt::black};
        for (int kind = 0; kind <= 7; ++kind)
            QTest::addRow("kind %d", kind) << kind << colours[kind];
    }
    void theBallColours() {
        QFETCH(int, kind);
        QFETCH(QColor, colour);
        QCOMPARE(GameDriver::Ball(kind), colour.rgb());
    }

    // The players and their results shown as text, never as markup, also in the real message box
    // that says a result could not be stored.
    void thePlayersAreShownAsText() {
        const QString bold = "<b>x</b>", image = "<img src=/etc/passwd>";
        GameDriver g(Records({Player(image, 90), Player(bold, 4)}));
        QCOMPARE((QStringList{g.form.Text1Box(0)->displayText(), g.form.Text2(0).Text(),
                              g.form.Text1Box(1)->displayText(), g.form.Text2(1).Text(),
                              g.form.Text3().Text()}),
                 (QStringList{bold, "4", image, "90", "0"}));
        vb::InstallWidgetRuntime();
        QVERIFY(QFile::remove(g.rt.PlayersFile()) && QDir().mkpath(g.rt.PlayersFile()));
        QStringList plain;
        QTimer::singleShot(0, [&plain] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            for (QLabel* label : box ? box->findChildren<QLabel*>() : QList<QLabel*>())
                if (label->textFormat() == Qt::PlainText)
                    plain << label->text();
            if (box)
                box->accept();
        });
        CurrentResult = 10;
        QVERIFY(!StoreCurrentResult());
        QVERIFY2(plain.filter("Player: " + bold).size() == 1, qPrintable(plain.join('\n')));
    }

    void theLayoutAtEveryScale() {
        GameDriver g;
        Form1& form = g.form;
        vb::Window& w = form.Window();
        vb::Picture& board = form.Picture1();
        // 1:2 of a 1024 x 768 screen, as designed. The panel right of the board: columns of width
        // A = 1231.2 from B = 4737.6, rows from the board's top; the message panel and the
        // preview share the height down to Quit.
        const struct {
            vb::Control& c;
            double left, top, width, height;
        } panel[] = {
            {board, 72, 57.6, 4665.6, 4665.6},
            {form.Label1(0), 4737.6, 57.6, 1231.2, 225},
            {form.Label1(1), 5968.8, 57.6, 1231.2, 225},
            {form.Text1(0), 4737.6, 282.6, 1231.2, 225},
            {form.Text1(1), 5968.8, 282.6, 1231.2, 225},
            {form.Text2(0), 4737.6, 507.6, 1231.2, 225},
            {form.Text2(1), 5968.8, 507.6, 1231.2, 225},
            {form.Label2(), 4737.6, 807.6, 1231.2, 225},
            {form.Text3(), 5968.8, 782.6, 1231.2, 225},
            {form.Command1(1), 4983.84, 3973.2, 1969.92, 750},
            {form.txtMess(), 4745.1, 1082.6, 2454.9, 1445.3},
            {form.Picture2(), 4745.1, 2527.9, 2454.9, 1445.3},
        };
        for (float zoom : {1.0f, 2.0f}) {  // at 1:1 everything doubles
            Zoom = zoom;
            LayoutMainWindow();
            for (const auto& p : panel) {
                QCOMPARE_TWIPS(p.c.Left(), p.left * 2 / zoom);
                QCOMPARE_TWIPS(p.c.Top(), p.top * 2 / zoom);
                QCOMPARE_TWIPS(p.c.Width(), p.width * 2 / zoom);
                QCOMPARE_TWIPS(p.c.Height(), p.height * 2 / zoom);
            }
        }
        QCOMPARE(form.QuitButton()->font().pointSizeF(), 9.0);
        QCOMPARE(board.ScaleWidth(), 9.0);
        QCOMPARE(PreviewPoints, (decltype(PreviewPoints){PointI{1, 2}, {2, 2}, {3, 2}}));
        const vb::Canvas& preview = form.Picture2Box()->GetCanvas();
        QCOMPARE(QRectF(preview.ScaleLeft(), preview.ScaleTop(), preview.ScaleWidth(),
                        preview.ScaleHeight()),
                 QRectF(0, 0, 4, 4));
        const struct {
            float zoom;
            int ball;
            double height;
        } steps[] = {
            {1, 54, 11520}, {1.5, 36, 7680}, {3, 18, 3840}, {2.5, 22, 4608}, {2, 27, 5760}};
        for (const auto& s : steps) {
            Zoom = s.zoom;
            LayoutMainWindow();
            QCOMPARE(BallSize, s.ball);
            QCOMPARE_TWIPS(w.Height(), s.height);
            QCOMPARE_TWIPS(w.Width(), s.height * 1.25);
            QCOMPARE_TWIPS(w.Left(), (15360 - s.height * 1.25) / 2);
            QCOMPARE_TWIPS(w.Top(), (11520 - s.height) / 2);
            QCOMPARE(board.Width(), board.Height());
            // The preview lies right under the message panel, and is as wide.
            const vb::Control &message = form.txtMess(), &under = form.Picture2();
            QVERIFY(under.Left() == message.Left() && under.Width() == message.Width() &&
                    under.Top() == message.Top() + message.Height());
            // The Quit button's bottom is level with the board's.
            QCOMPARE_TWIPS(form.Command1(1).Top() + form.Command1(1).Height(),
                           board.Top() + board.Height());
        }
    }

    void escapeAndQuitEndTheProgramSpaceMinimizesAndRestoresAndCloseEnds() {
        GameDriver g;
        QApplication::setActiveWindow(&g.form);
        g.form.Text1Box(0)->setFocus();
        QTest::keyClick(g.form.Text1Box(0), Qt::Key_Escape);  // seen before the focused box
        QCOMPARE(g.rt.endCount, 1);
        QTest::mouseClick(g.form.QuitButton(), Qt::LeftButton);
        QCOMPARE(g.rt.endCount, 2);
        g.form.Picture1Box()->setFocus();
        for (auto [key, state] : {std::pair{Qt::Key_Space, vb::WindowState::Minimized},
                                  {Qt::Key_Space, vb::WindowState::Normal},
                                  {Qt::Key_A, vb::WindowState::Normal}}) {
            QTest::keyClick(g.form.Picture1Box(), key);
            QCOMPARE(g.form.Window().State(), state);
        }
        g.form.close();
        QCOMPARE(g.rt.endCount, 3);
    }

    void theAboutBoxHoldsTheRulesLineByLine() {
        GameDriver g;
        GameInProgress = true;  // available during a game too
        static_cast<vb::MenuAction&>(g.form.mnuAbout()).Action()->trigger();
        QCOMPARE(g.rt.events.size(), 1);
        QCOMPARE(g.rt.messages[0].icon, vb::MsgIcon::None);
        const QStringList lines = g.rt.messages[0].text.split("\r\n");
        QCOMPARE(g.rt.messages[0].text.count('\n'), lines.size() - 1);  // every break a CR LF
        // Beside the rules paragraph, which the translation suite checks.
        QCOMPARE(
            lines.mid(1, 2) + lines.mid(7, 5),
            (QStringList{"", "   Rules:",
                         "   To remember your result put yor name in players list or select "
                         "from list ",
                         "befor starting game. ",
                         "   To change picture size click  \"Zoom\"  button and select scale is",
                         "needing for.", ""}));
        // Ours: a statement indented by 3 blanks, credits by 30 and 34, in the game's own names.
        const struct {
            int line, indent;
            QStringList words;
        } own[] = {{0, 3, {"QUILVARO"}},
                   {12, 30, {"QUILVARO", "Dremwick"}},
                   {13, 34, {"Dremwick", "2005"}}};
        QCOMPARE(lines.size(), 14);
        for (const auto& o : own) {
            const QString& line = lines[o.line];
            QCOMPARE(line.size() - line.trimmed().size(), o.indent);
            QVERIFY(line.at(o.indent) != ' ' && line.size() <= 79);
            for (const QString& word : o.words)
                QVERIFY(line.contains(word));
        }
    }

    void theTitleTypesRunsThreeWavesAndHandsOverOnce() {
        TestRuntime rt;
        Form1 form;
        frmLabel title(form);
        // A file that is no players file is told of over the main window, once the title is gone.
        QVERIFY(WriteWholeFile(rt.PlayersFile(), "no players here"));
        bool overMain = false;
        rt.onMessage = [&](const Message&) { overMain = form.isVisible() && !title.isVisible(); };
        title.Form_Load();  // where it places itself (a Wayland compositor may put it elsewhere)
        vb::Window& w = title.Window();
        QCOMPARE(QRectF(w.Left(), w.Top(), w.Width(), w.Height()), QRectF(4080, 2880, 7200, 5760));
        QVERIFY(title.Text1()->Width() == w.Width() && title.Text1()->Height() == w.Height());
        QStringList texts;  // what the window showed at each wait
        std::vector<QImage> frames;
        auto wait = vb::CurrentRuntimeHooks().wait;
        vb::CurrentRuntimeHooks().wait = [&](double s) {
            wait(s);
            texts << (title.Text1()->Visible() ? title.Text1()->Text() : "-");
            frames.push_back(title.Surface()->GetCanvas().Image());
        };
        title.Show();
        QVERIFY(!form.isVisible());
        // Started by a queued call once the window system shows the window: a compositor may
        // take a moment for that.
        QTRY_VERIFY_WITH_TIMEOUT(!title.isVisible(), 10000);
        std::vector<double> expected(30, 0.03);
        expected.push_back(0.5);
        expected.insert(expected.end(), 36, 0.02);
        expected.insert(expected.end(), {0.5, 0.5, 0.5});
        QCOMPARE(rt.waits, expected);
        QVERIFY(form.isVisible() && form.Loaded() && title.Text1()->Text().isEmpty());
        QTRY_VERIFY(rt.messages.size() == 1 && overMain);
        const QString full = "\r\n\r\n\r\nQUILVARO\r\nDremwick\r\n2005";
        for (int i = 0; i < 30; ++i)
            QCOMPARE(texts[i], full.left(i + 1));
        QCOMPARE(texts.mid(30, 2), (QStringList{full, "-"}));

        const vb::Canvas& map = title.Surface()->GetCanvas();
        QCOMPARE(map.ScaleWidth(), 6.0);
        auto pixel = [&map, &frames](int frame, int column, int row, int dx = 0) {
            return frames[std::size_t(frame)].pixel(int(map.DeviceX(column - 0.5)) + dx,
                                                    int(map.DeviceY(row - 0.5)));
        };
        // The width of the dot of a cell, in the ball colour of its column, is `pen` pixels.
        auto dot = [&](int frame, int column, int row, int pen) {
            int n = 0;
            for (int dx = -40; dx <= 40; ++dx)
                n += pixel(frame, column, row, dx) == GameDriver::Ball(column);
            return std::abs(n - pen) <= 1;
        };
        const QRgb face = GameDriver::Rgb(vb::kButtonFace), cover = qRgb(224, 224, 224);
        // Wave 1, one 48-pixel dot per wait, row by row.
        QVERIFY(dot(31, 1, 1, 48) && pixel(31, 2, 1) == face);
        QVERIFY(dot(36, 6, 1, 48) && pixel(36, 1, 2) == face && dot(37, 1, 2, 48));
        // Waves 2 and 3: 32 and 16 pixels in every cell at once, over the covered wave before.
        for (int row = 1; row <= 6; ++row) {
            for (int column = 1; column <= 6; ++column) {
                QVERIFY(dot(67, column, row, 32) && pixel(67, column, row, 20) == cover);
                QVERIFY(dot(68, column, row, 16) && pixel(68, column, row, 12) == cover);
                QCOMPARE(pixel(69, column, row), cover);
            }
        }
        form.hide();  // shown again, nothing runs again
        title.Show();
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        QVERIFY(rt.waits.size() == expected.size() && !form.isVisible());
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
