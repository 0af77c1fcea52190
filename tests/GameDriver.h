// The main window, opened on a players file of the test's own and driven as a player would: the
// menu, mouse releases on the board and scripted random numbers. Every wait is recorded with
// whether the screen showed the board as drawn at that moment.
#pragma once

#include <QApplication>
#include <QBackingStore>
#include <QFile>
#include <QMenuBar>
#include <QTest>
#include <functional>
#include <optional>

#include "TestBoards.h"
#include "TestRuntime.h"
#include "app/Form1.h"
#include "platform/SystemColors.h"
#include "view/BallColor.h"
#include "view/Layout.h"

namespace qvtest {

class GameDriver {
  public:
    TestRuntime rt;
    qv::Form1 form;
    QString seen;  // every wait as "seconds" and '+', '-' or '?' (see Shown()), then a blank
    std::function<void(double)> atWait;

    explicit GameDriver(std::optional<QByteArray> playersFile = std::nullopt) {
        QFile file(rt.PlayersFile());
        if (playersFile && file.open(QIODevice::WriteOnly))
            file.write(*playersFile);
        file.close();
        form.Show();
        QApplication::processEvents();
        auto record = vb::CurrentRuntimeHooks().wait;
        vb::CurrentRuntimeHooks().wait = [this, record](double seconds) {
            seen += QString("%1%2 ").arg(seconds).arg(Shown());
            if (atWait)
                atWait(seconds);
            record(seconds);
        };
    }

    void ClearRecords() {
        seen.clear();
        rt.ClearRecords();
    }
    void ClickStartStop() {
        form.MenuBar()->actions().at(3)->trigger();
        QApplication::processEvents();
    }
    // A release at a point in board units, then the event loop once, as between two clicks.
    void ReleaseAt(double x, double y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(form.Picture1Box(), button, {}, form.Picture1Box()->PositionOf(x, y));
        QApplication::processEvents();
    }
    void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        ReleaseAt(x - 0.5, y - 0.5, button);
    }
    void Redraw() {  // after a test put balls on the board itself
        qv::LayoutMainWindow();
        QApplication::processEvents();
    }

    // The random numbers that draw these kinds, and that drop balls on these cells of `board`.
    static std::vector<double> KindNumbers(const std::array<int, 3>& kinds) {
        return {(kinds[0] - 0.5) / 6, (kinds[1] - 0.5) / 6, (kinds[2] - 0.5) / 6};
    }
    static std::vector<double> CellNumbers(qv::Grid board, const std::vector<qv::PointI>& cells) {
        std::vector<double> r;
        for (const qv::PointI& c : cells) {
            int n = 0, j = 0;
            for (int y = 1; y <= 9; ++y)
                for (int x = 1; x <= 9; ++x)
                    if (board(x, y) == 0 && (++n, x == c.x && y == c.y))
                        j = n;
            r.push_back((j - 0.5) / n);
            board(c.x, c.y) = 1;
        }
        return r;
    }
    void Start(const std::array<int, 3>& kinds, const std::vector<qv::PointI>& cells,
               const std::array<int, 3>& next) {
        rt.ScriptRandom(KindNumbers(kinds));
        rt.ScriptRandom(CellNumbers(qv::Grid(0, 9, 0, 9), cells));
        rt.ScriptRandom(KindNumbers(next));
        ClickStartStop();
    }

    // The board picture at the centre of cell (x, y), or `dx` pixels right of it.
    QRgb Pixel(double x, double y, double dx = 0) const {
        const vb::Canvas& c = form.Picture1Box()->GetCanvas();
        return c.Image().pixel(int(c.DeviceX(x - 0.5) + dx), int(c.DeviceY(y - 0.5)));
    }
    static QRgb Rgb(vb::Color c) { return vb::ResolveColor(c).rgb(); }
    static QRgb Ball(int kind) { return Rgb(qv::BallColor(static_cast<qv::Integer>(kind))); }

    // Pixels that differ from a fresh drawing of `board`: white, the grid, balls of 27 pixels and
    // the selected one of 32. The top border is left out: the erasers of moving balls may cut it.
    int DifferencesFromFreshDrawing(const qv::Grid& board) const {
        const vb::Canvas& canvas = form.Picture1Box()->GetCanvas();
        const QImage& live = canvas.Image();
        vb::Canvas fresh;
        fresh.SetSize(canvas.LogicalSize(), canvas.DevicePixelRatio());
        fresh.Scale(0, 0, 9, 9);
        fresh.SetBackColor(vb::RGB(255, 255, 255));
        fresh.SetForeColor(vb::kAppWorkspace);
        for (int k = 1; k <= 9; ++k) {
            fresh.Line(0, k, 9, k);
            fresh.Line(k, 0, k, 9);
        }
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) {
                const bool selected = qv::BallSelected && x == qv::SelectedX && y == qv::SelectedY;
                fresh.SetDrawWidth(selected ? 32 : 27);
                if (board(x, y) > 0)
                    fresh.PSet(x - 0.5, y - 0.5, qv::BallColor(board(x, y)));
            }
        }
        int differences = 0;
        for (int y = int(fresh.DeviceY(0)) + 1; y < live.height(); ++y)
            for (int x = 0; x < live.width(); ++x)
                differences += live.pixel(x, y) != fresh.Image().pixel(x, y);
        return differences;
    }

    // Whether the window's backing store, which the screen shows, holds the board as drawn now:
    // '+' or '-'; '?' on Wayland, whose backing store Qt cannot hand out headless.
    char Shown() {
        if (QGuiApplication::platformName() == QLatin1String("wayland"))
            return '?';
        const auto* shown = dynamic_cast<QImage*>(form.backingStore()->paintDevice());
        const vb::PictureBox* box = form.Picture1Box();
        const QImage drawn = box->Painted();  // with the cursor, when the board has the focus
        const QPoint origin = box->mapTo(&form, box->contentsRect().topLeft());
        return shown != nullptr &&
                       shown->copy(QRect(origin, drawn.size())).convertToFormat(drawn.format()) ==
                           drawn
                   ? '+'
                   : '-';
    }
};

}  // namespace qvtest
