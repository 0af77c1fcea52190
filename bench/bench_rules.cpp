// The rules at full speed: the path search, the line check and the choice of cells for new balls.
// The line check writes its score into the main window's result box, so a real main window runs
// on the offscreen platform, with its players file in a temporary folder.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "BenchBoards.h"
#include "app/MainWindow.h"
#include "game/GameState.h"
#include "game/LineCheck.h"
#include "game/NextBalls.h"
#include "game/PathSearch.h"
#include "platform/Runtime.h"
#include "platform/Screen.h"

namespace {

void BM_FindPath_OpenCorner(benchmark::State& state) {
    qvbench::EmptyBoard();
    qv::Board(1, 1) = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::FindPath(1, 1, 9, 9));
    if (qv::FindPath(1, 1, 9, 9) != 16)
        state.SkipWithError("unexpected path length");
}
BENCHMARK(BM_FindPath_OpenCorner);

void BM_FindPath_Serpentine(benchmark::State& state) {
    qvbench::SerpentineBoard();
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::FindPath(1, 1, 9, 9));
    if (qv::FindPath(1, 1, 9, 9) != 48)
        state.SkipWithError("unexpected path length");
}
BENCHMARK(BM_FindPath_Serpentine);

void BM_FindPath_Unreachable(benchmark::State& state) {
    // The target's two neighbours are balls: the search labels the whole rest of the board.
    qvbench::EmptyBoard();
    qv::Board(1, 1) = 1;
    qv::Board(8, 9) = 2;
    qv::Board(9, 8) = 3;
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::FindPath(1, 1, 9, 9));
    if (qv::FindPath(1, 1, 9, 9) != 0)
        state.SkipWithError("target should be unreachable");
}
BENCHMARK(BM_FindPath_Unreachable);

void BM_CheckLines_Empty(benchmark::State& state) {
    qvbench::EmptyBoard();
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::CheckLines());
}
BENCHMARK(BM_CheckLines_Empty);

void BM_CheckLines_FullWithoutLine(benchmark::State& state) {
    qvbench::FullBoardWithoutLine();
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::CheckLines());
    if (!qv::NoLineFound || !qv::GameOver)
        state.SkipWithError("the full board should end the game");
}
BENCHMARK(BM_CheckLines_FullWithoutLine);

void BM_CheckLines_CrossingLines(benchmark::State& state) {
    // The board is put back before every check; the copy (200 bytes) is part of the figure.
    qvbench::CrossingLinesBoard();
    const qv::Grid before = qv::Board;
    for (auto _ : state) {
        qv::Board = before;
        qv::MainControls().ResultBox(0).SetText(QStringLiteral("0"));
        benchmark::DoNotOptimize(qv::CheckLines());
    }
    if (qv::NoLineFound)
        state.SkipWithError("the lines should have been found");
}
BENCHMARK(BM_CheckLines_CrossingLines);

void BM_NewBallCells(benchmark::State& state) {
    // Choosing the cells of three new balls on a half-full board (no drawing, no waiting).
    qvbench::CrossingLinesBoard();
    const qv::Grid before = qv::Board;
    double r = 0.0;
    for (auto _ : state) {
        qv::Board = before;
        for (int k = 0; k < 3; ++k) {
            r = r + 0.377;
            if (r >= 1)
                r -= 1;
            benchmark::DoNotOptimize(qv::ChooseFreeCell(r));
        }
    }
}
BENCHMARK(BM_NewBallCells);

void BM_AnimationSubStep(benchmark::State& state) {
    // One sub-step of a moving ball at 1:1: erase where it was, draw where it is, repaint.
    qv::MainWindowControls& main = qv::MainControls();
    platform::CanvasControl& board = main.BoardPicture();
    double x = 0.5;
    for (auto _ : state) {
        board.SetPenWidth(65);
        board.DrawDot(x, 4.5, qv::BoardBackColor);
        x = x >= 8.5 ? 0.5 : x + 0.25;
        board.SetPenWidth(54);
        board.DrawDot(x, 4.5, platform::PackRgb(255, 0, 50));
        main.RepaintNow();
    }
}
BENCHMARK(BM_AnimationSubStep);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    platform::RuntimeHooks hooks;
    hooks.programDir = [&] { return folder.path(); };
    hooks.userDataPath = [&] { return folder.path(); };
    hooks.wait = [](double) {};
    hooks.showMessage = [](const QString&, platform::MessageIcon, const QString&) {};
    platform::SetRuntimeHooks(hooks);
    platform::SetScreenOverride(platform::ScreenOverride{1920, 1080, 96.0});
    qv::MainWindow main;
    main.Show();
    // At 1:1, the largest board.
    qv::Zoom = 1;
    main.Window().SetHeight(platform::ScreenHeightTwips());
    QCoreApplication::processEvents();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
