// The main window on a players file of its own, driven as a player would.
#pragma once

#include <QApplication>
#include <QMenuBar>
#include <QPaintEvent>
#include <QRegularExpression>
#include <QTest>
#include <QtEndian>

#include "PlayersFixtures.h"
#include "TestRuntime.h"
#include "app/MainWindow.h"
#include "game/GameState.h"
#include "platform/Dialog.h"
#include "platform/SystemColors.h"
#include "view/BallColor.h"
#include "view/Layout.h"

namespace qvtest {

using qv::CellPos;
using qv::Grid;

inline CellPos P(int x, int y) {
    return CellPos{std::int16_t(x), std::int16_t(y)};
}

inline int CountBalls() {
    int n = 0;
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x)
            n += qv::Board(x, y) > 0;
    return n;
}

// Plays the modal windows without a nested loop: the n-th shown runs the n-th step, if any.
class ModalScript {
  public:
    using Step = std::function<void(platform::Dialog&)>;
    ModalScript() {
        previous_ = platform::SetModalHook([this](platform::Dialog& dialog) {
            shown << dialog.windowTitle();
            if (shown.size() <= steps_.size())
                steps_[shown.size() - 1](dialog);
        });
    }
    ~ModalScript() { platform::SetModalHook(std::move(previous_)); }
    void Then(Step step) { steps_ << std::move(step); }
    QStringList shown;  // their titles, in order

  private:
    QList<Step> steps_;
    platform::ModalHook previous_;
};

inline QRgb Rgb(platform::PackedColor c) {
    return platform::ResolveColor(c).rgb();
}
inline QRgb Ball(int kind) {
    return Rgb(qv::BallColor(std::int16_t(kind)));
}

class GameDriver {
  public:
    TestRuntime rt;
    qv::MainWindow window;
    std::function<void(double)> atWait;

    explicit GameDriver(const QByteArray& playersFile = {}) {  // null: none
        if (!playersFile.isNull())
            WriteWholeFile(rt.PlayersFile(), playersFile);
        window.BoardWidget()->installEventFilter(&screen_);
        window.Show();
        (void)QTest::qWaitForWindowExposed(&window);
        platform::CurrentRuntimeHooks().wait =
            [this, record = platform::CurrentRuntimeHooks().wait](double s) {
                if (atWait)
                    atWait(s);
                record(s);
            };
    }

    void ClickStartStop() {
        window.MenuBar()->actions().at(3)->trigger();
        QApplication::processEvents();
    }
    // At the centre of cell (x, y), then the event loop once.
    void Release(double x, double y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(window.BoardWidget(), button, {},
                            window.BoardWidget()->PositionOf(x - 0.5, y - 0.5));
        QApplication::processEvents();
    }
    void Redraw() {  // after the test set the board
        qv::LayoutMainWindow();
        QApplication::processEvents();
    }

    // Scripts the random numbers that draw these kinds, or drop balls on these cells of `board`.
    void Kinds(const std::vector<int>& kinds) {
        for (int kind : kinds)
            rt.ScriptRandom({(kind - 0.5) / 6});
    }
    void Drops(Grid board, const std::vector<CellPos>& cells) {
        for (const CellPos& c : cells) {
            int n = 0, j = 0;
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    if (board(x, y) == 0 && (++n, x == c.x && y == c.y))
                        j = n;
            rt.ScriptRandom({(j - 0.5) / n});
            board(c.x, c.y) = 1;
        }
    }
    void Start(const std::vector<int>& kinds, const std::vector<CellPos>& cells,
               const std::vector<int>& next) {
        Kinds(kinds);
        Drops(Grid(0, 9, 0, 9), cells);
        Kinds(next);
        ClickStartStop();
    }

    // Across each row and column: free cells lined apart; balls centred, alike, the selected wider.
    bool DrawnAfresh() const {
        const QImage& image = window.BoardWidget()->GetCanvas().Image();
        QList<int> widths[2];  // of the balls, of the selected one
        qsizetype room = 0;    // inside a cell
        for (int across : {0, 1}) {
            const int size = across ? image.width() : image.height();
            for (int a = 1; a <= 9; ++a) {
                QString seen;
                for (int i = 0, mid = (2 * a - 1) * size / 18; i < size; ++i) {
                    const QRgb c = across ? image.pixel(i, mid) : image.pixel(mid, i);
                    int k = 0;
                    while (k <= 6 && c != (k ? Ball(k) : Rgb(qv::BoardBackColor)))
                        ++k;
                    seen += ".123456#"[k];
                }
                for (int b = 1; b <= 9; ++b) {
                    const int x = across ? b : a, y = across ? a : b, end = b * size / 9;
                    const QString inside = seen.mid(end - size / 9 + 2, size / 9 - 4);
                    const QChar k = ".123456"[qv::Board(x, y)];
                    const qsizetype left = inside.indexOf(k), width = inside.count(k);
                    const qsizetype right = (room = inside.size()) - left - width;
                    if (left < 0 || std::abs(left - right) > 2 ||
                        inside != QString(left, '.') + QString(width, k) + QString(right, '.'))
                        return false;
                    const int next =
                        b < 9 ? (across ? qv::Board(x + 1, y) : qv::Board(x, y + 1)) : 1;
                    if (k == '.' && !next && seen.mid(end - 2, 5) == ".....")
                        return false;  // no line between two free cells
                    if (k != '.')
                        widths[qv::BallSelected && x == qv::SelectedX && y == qv::SelectedY]
                            << int(width);
                }
            }
        }
        std::sort(widths[0].begin(), widths[0].end());
        for (int w : widths[1])
            if (!widths[0].isEmpty() && w <= widths[0].last() && w < room)
                return false;
        return widths[0].isEmpty() || widths[0].last() - widths[0].first() < 3;
    }

    QString State() const {
        return QString::asprintf("balls %d moves %d selected %d playing %d over %d drawn %d",
                                 CountBalls(), int(qv::MoveCount), qv::BallSelected,
                                 qv::GameInProgress, qv::GameOver, DrawnAfresh());
    }

    // '+' when the screen, each paint adding the region it was asked for, shows the board now.
    char Shown() const {
        auto* board = window.BoardWidget();
        if (screen_.drawn != board->GetCanvas().Image())
            return '-';
        const QRegion painted = std::exchange(screen_.region, {});
        const QPoint at = painted.boundingRect().topLeft() - board->contentsRect().topLeft();
        board->removeEventFilter(&screen_);
        if (!painted.isEmpty())  // an empty region renders it all
            board->render(&screen_.image, at, painted, {});
        board->installEventFilter(&screen_);
        return screen_.image == board->Painted() ? '+' : '-';
    }

  private:
    struct Screen : QObject {
        QImage image, drawn;
        QRegion region;  // painted since the last look
        bool eventFilter(QObject* object, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                region += static_cast<QPaintEvent*>(event)->region();
                drawn = static_cast<platform::CanvasWidget*>(object)->GetCanvas().Image().copy();
                image = image.size() == drawn.size() ? image : drawn;
            }
            return false;
        }
    } mutable screen_;
};

// Whether the shown controls of `window` lie inside it, none over another.
inline bool LaidOut(const QWidget& window) {
    QList<QRect> placed;
    for (const QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        for (const QRect& r : placed)
            if (!w->isHidden() && r.intersects(w->geometry()))
                return false;
        if (!w->isHidden() && !window.rect().contains(placed.emplace_back(w->geometry())))
            return false;
    }
    return true;
}

// game.trace, a line a turn.
inline QStringList ReadTrace() {
    QFile file(QFINDTESTDATA("game.trace"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    return QString(file.readAll())
        .split('\n', Qt::SkipEmptyParts)
        .filter(QRegularExpression("^[^#]"));
}

// Plays the recorded game, `act` making each release; returns what the game showed.
inline QStringList Replay(GameDriver& g, const QStringList& trace,
                          const std::function<void(CellPos cell, QChar button)>& act) {
    auto cell = [](const QString& s) { return P(s.at(0).digitValue(), s.at(2).digitValue()); };
    QStringList seen;
    for (const QString& line : trace) {
        const QStringList w = line.split(' ');
        auto field = [&w](const QString& key) {
            QStringList values;
            for (auto i = w.indexOf(key) + 1; i > 0 && i < w.size() && !w[i][0].isLetter(); ++i)
                values << w[i];
            return values;
        };
        if (w[0] == "board") {  // the end
            seen << "board";
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    (x == 1 ? seen.emplace_back() : seen.last()) +=
                        QChar(".123456"[qv::Board(x, y)]);
            const QByteArray record = ReadWholeFile(g.rt.PlayersFile()).leftJustified(54, 0);
            seen << "message " + g.window.MessagePanel().Text().section("\r\n", 0, 0)
                 << QString("stored %1").arg(qFromLittleEndian<qint32>(record.data() + 50));
        }
        if (w[0] != "start" && w[0] != "click")
            continue;
        // The last ball released goes to the last cell.
        const QStringList clicks = field("click");
        const Grid before = w[0] == "start" ? Grid(0, 9, 0, 9) : qv::Board;
        Grid moved = before;
        CellPos to{}, from{};
        for (const QString& c : clicks) {
            to = cell(c);
            if (before(to.x, to.y) > 0)
                from = to;
        }
        std::swap(moved(from.x, from.y), moved(to.x, to.y));
        const int kind = moved(to.x, to.y);
        std::vector<int> kinds, next;
        std::vector<CellPos> drops;
        for (const QString& d : field("new"))
            kinds.push_back(d.at(0).digitValue()), drops.push_back(cell(d.mid(2)));
        for (const QString& k : field("next"))
            next.push_back(k.toInt());
        if (w[0] == "start")
            g.Kinds(kinds);
        g.Drops(moved, drops);
        if (!drops.empty())
            g.Kinds(next.empty() ? kinds : next);

        QStringList waits, route, placed;
        g.atWait = [&](double seconds) {
            const bool step = seconds == 0.02 && waits.filter("0.02").size() % 4 == 3;
            const QImage& image = g.window.BoardWidget()->GetCanvas().Image();
            waits << QString("%1%2").arg(seconds).arg(g.Shown());
            // The moving ball at each step; new balls on cells free after the move.
            for (int y = 1; y <= 9; ++y) {
                for (int x = 1; x <= 9; ++x) {
                    if (step && before(x, y) != kind &&
                        image.pixel((2 * x - 1) * image.width() / 18,
                                    (2 * y - 1) * image.height() / 18) == Ball(kind))
                        route << QString("%1,%2").arg(x).arg(y);
                    const QString at = QString("%1@%2,%3").arg(qv::Board(x, y)).arg(x).arg(y);
                    if (moved(x, y) == 0 && qv::Board(x, y) && !placed.contains(at))
                        placed << at;
                }
            }
        };
        if (w[0] == "start")
            g.ClickStartStop();
        for (const QString& c : clicks)
            act(cell(c), c.size() > 3 ? c.at(3) : QChar());
        g.atWait = nullptr;

        QString turn = w[0] == "start" ? "start" : "click " + clicks.join(' ');
        for (const auto& [key, values] : {std::pair{"route", route}, {"new", placed}})
            if (!values.isEmpty())
                turn += QString(" %1 %2").arg(key, values.join(' '));
        turn += " next";  // read across the preview's middle
        const QImage& preview = g.window.PreviewWidget()->GetCanvas().Image();
        for (int x = 0, y = preview.height() / 2; x < preview.width(); ++x)
            for (int k = 1; k <= 6; ++k)
                if (preview.pixel(x, y) == Ball(k) &&
                    (x == 0 || preview.pixel(x - 1, y) != Ball(k)))
                    turn += QString(" %1").arg(k);
        turn += QString(" score %1 moves %2 waits")
                    .arg(g.window.ResultBox(0).Text(), g.window.MovesBox().Text());
        for (qsizetype i = 0, j = 0; i < waits.size(); i = j) {
            while (j < waits.size() && waits[j] == waits[i])
                ++j;
            turn += " " + waits[i] + (j - i > 1 ? QString("x%1").arg(j - i) : "");
        }
        seen << turn + (g.DrawnAfresh() ? "" : " drawn-wrong");
    }
    return seen;
}

}  // namespace qvtest
