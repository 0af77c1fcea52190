// A real-time game: turns played through mouse releases on the real main window (offscreen
// platform), with the real clock and the real sleeping wait, and random numbers from a fixed seed.
// Prints one "name value" line per figure; bench/run-bench turns them into the table.
//
//   bench_realtime ZOOM TURNS
//
// With QUILVARO_BENCH_DETAIL set, every turn's drawing time, oversleeping and the longer gaps
// between waits go to standard error.
#include <sys/resource.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <deque>
#include <random>
#include <vector>

#include "app/MainWindow.h"
#include "game/GameState.h"
#include "platform/Runtime.h"
#include "platform/Screen.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec / 1e9;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

struct Recorder {
    bool realTime = true;
    std::vector<double> overshoot;    // seconds past the requested length, every wait
    std::vector<double> subStepWork;  // drawing and repaint before each 0.02 s wait
    double requestedInTurn = 0;
    double gapsInTurn = 0, overshootInTurn = 0;
    Clock::time_point lastWaitEnd = Clock::now();

    void Wait(double seconds) {
        const auto start = Clock::now();
        if (!realTime)
            return;
        if (seconds == 0.02)
            subStepWork.push_back(Seconds(start - lastWaitEnd));
        gapsInTurn += Seconds(start - lastWaitEnd);
        if (std::getenv("QUILVARO_BENCH_DETAIL") && Seconds(start - lastWaitEnd) > 0.0005)
            std::fprintf(stderr, "  gap %.2f ms before a %.2f s wait\n",
                         Seconds(start - lastWaitEnd) * 1e3, seconds);
        platform::SleepSeconds(seconds);
        const auto end = Clock::now();
        overshoot.push_back(Seconds(end - start) - seconds);
        overshootInTurn += Seconds(end - start) - seconds;
        requestedInTurn += seconds;
        lastWaitEnd = end;
    }
};

// Cells reachable from (x, y) through free cells, by an independent breadth-first search.
std::vector<qv::CellPos> Reachable(int fromX, int fromY) {
    bool seen[10][10] = {};
    std::deque<qv::CellPos> queue{
        {static_cast<std::int16_t>(fromX), static_cast<std::int16_t>(fromY)}};
    seen[fromX][fromY] = true;
    std::vector<qv::CellPos> found;
    const int dx[] = {1, 0, -1, 0}, dy[] = {0, -1, 0, 1};
    while (!queue.empty()) {
        const qv::CellPos c = queue.front();
        queue.pop_front();
        for (int d = 0; d < 4; ++d) {
            const int nx = c.x + dx[d], ny = c.y + dy[d];
            if (nx < 1 || nx > 9 || ny < 1 || ny > 9 || seen[nx][ny] || qv::Board(nx, ny) != 0)
                continue;
            seen[nx][ny] = true;
            const qv::CellPos n{static_cast<std::int16_t>(nx), static_cast<std::int16_t>(ny)};
            found.push_back(n);
            queue.push_back(n);
        }
    }
    return found;
}

using Move = std::pair<qv::CellPos, qv::CellPos>;

// A random ball that can move, to a random cell it can reach; false when no ball can move.
bool PickMove(std::mt19937& bot, Move* move) {
    std::vector<Move> moves;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            if (qv::Board(x, y) == 0)
                continue;
            for (const qv::CellPos& t : Reachable(x, y))
                moves.push_back({{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)}, t});
        }
    }
    if (moves.empty())
        return false;
    *move = moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(bot)];
    return true;
}

void Release(qv::MainWindow& window, int x, int y) {
    QTest::mouseRelease(window.BoardWidget(), Qt::LeftButton, {},
                        window.BoardWidget()->PositionOf(x - 0.5, y - 0.5));
}

void Start(qv::MainWindow& window) {
    dynamic_cast<platform::MenuAction&>(window.StartStopCommand()).Action()->trigger();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const float zoom = argc > 1 ? std::strtof(argv[1], nullptr) : 1.0f;
    const int turns = argc > 2 ? std::atoi(argv[2]) : 30;

    QTemporaryDir folder;
    Recorder recorder;
    std::mt19937_64 random(20051206);
    platform::RuntimeHooks hooks;
    hooks.programDir = [&] { return folder.path(); };
    hooks.userDataPath = [&] { return folder.path(); };
    hooks.wait = [&](double s) { recorder.Wait(s); };
    hooks.reseed = [] {};
    hooks.random = [&] { return std::uniform_real_distribution<double>(0.0, 1.0)(random); };
    hooks.showMessage = [](const QString&, platform::MessageIcon, const QString&) {};
    platform::SetRuntimeHooks(hooks);
    platform::SetScreenOverride(platform::ScreenOverride{1920, 1080, 96.0});

    qv::MainWindow window;
    window.Show();
    if (zoom != qv::Zoom) {
        // What choosing a scale does: a clean board, then the window's new height.
        qv::Zoom = zoom;
        window.BoardPicture().Clear();
        window.Window().SetHeight(platform::ScreenHeightTwips() / qv::Zoom);
    }
    QCoreApplication::processEvents();

    std::mt19937 bot(7);
    std::vector<double> overhead;
    int played = 0;
    recorder.lastWaitEnd = Clock::now();
    const double cpu0 = CpuSeconds();
    const auto wall0 = Clock::now();
    Start(window);
    while (played < turns) {
        if (!qv::GameInProgress)
            Start(window);
        Move move;
        if (!PickMove(bot, &move))
            break;
        const auto& [from, to] = move;
        Release(window, from.x, from.y);
        recorder.requestedInTurn = 0;
        recorder.gapsInTurn = recorder.overshootInTurn = 0;
        const auto t0 = Clock::now();
        recorder.lastWaitEnd = t0;
        Release(window, to.x, to.y);
        const auto t1 = Clock::now();
        if (std::getenv("QUILVARO_BENCH_DETAIL"))
            std::fprintf(stderr, "turn: gaps %.2f ms, overshoot %.2f ms, tail %.2f ms\n",
                         recorder.gapsInTurn * 1e3, recorder.overshootInTurn * 1e3,
                         Seconds(t1 - recorder.lastWaitEnd) * 1e3);
        overhead.push_back(Seconds(t1 - t0) - recorder.requestedInTurn);
        ++played;
        QCoreApplication::processEvents();
    }
    const double wall = Seconds(Clock::now() - wall0);
    const double cpu = CpuSeconds() - cpu0;

    // The rest of the game at full speed, for the memory it takes.
    recorder.realTime = false;
    for (int guard = 0; qv::GameInProgress && guard < 2000; ++guard) {
        Move move;
        if (!PickMove(bot, &move))
            break;
        Release(window, move.first.x, move.first.y);
        Release(window, move.second.x, move.second.y);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    std::printf("turns %d\n", played);
    std::printf("wall_s %.3f\n", wall);
    std::printf("cpu_per_wall %.4f\n", cpu / wall);
    std::printf("wait_overshoot_p50_ms %.3f\n", Percentile(recorder.overshoot, 0.50) * 1e3);
    std::printf("wait_overshoot_p99_ms %.3f\n", Percentile(recorder.overshoot, 0.99) * 1e3);
    std::printf("wait_overshoot_max_ms %.3f\n", Percentile(recorder.overshoot, 1.0) * 1e3);
    std::printf("turn_overhead_p50_ms %.3f\n", Percentile(overhead, 0.50) * 1e3);
    std::printf("turn_overhead_max_ms %.3f\n", Percentile(overhead, 1.0) * 1e3);
    std::printf("substep_draw_p50_ms %.3f\n", Percentile(recorder.subStepWork, 0.50) * 1e3);
    std::printf("substep_draw_max_ms %.3f\n", Percentile(recorder.subStepWork, 1.0) * 1e3);
    std::printf("waits %zu\n", recorder.overshoot.size());
    std::printf("peak_rss_mb %.1f\n", usage.ru_maxrss / 1024.0);
    return 0;
}
