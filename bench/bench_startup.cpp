// Start-up: from the moment a process is started to its first window mapped, as the X server
// itself reports it (a MapNotify event on the root window; nothing is polled), for the game and
// for two floors: a bare window that paints itself and a bare window holding one text label. The
// three are started in turn, RUNS times each, and the best time of each is kept. The game also
// reports when its main window is mapped, at the end of the title animation. Each program's peak
// resident memory is read a moment after its first window is mapped, and the game's again a
// moment after its main window is.
//
//   bench_startup RUNS BARE LABEL GAME
//
// The game runs from a copy in a temporary folder, so its players file is a fresh one there.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

long long NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// The peak resident memory of a process, in MB.
double PeakMb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kb = 0;
            status >> kb;
            return kb / 1024;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

class Display {
  public:
    Display() : c_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(c_) != 0) {
            std::fprintf(stderr, "bench_startup: no X display\n");
            std::exit(1);
        }
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, root, XCB_CW_EVENT_MASK, &mask);
        Sync();
    }
    ~Display() { xcb_disconnect(c_); }

    // Waits for the next top-level window to be mapped; the moment the event arrived, 0 when none
    // came within the time.
    long long NextMap(int timeoutMs) {
        const long long deadline = NowNs() + timeoutMs * 1000000LL;
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(c_)) {
                const bool map =
                    (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                    reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect == 0;
                std::free(event);
                if (map)
                    return NowNs();
            }
            const long long left = deadline - NowNs();
            if (left <= 0 || xcb_connection_has_error(c_) != 0)
                return 0;
            pollfd fd{xcb_get_file_descriptor(c_), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left / 1000000) + 1);
        }
    }
    // Forgets the events of programs that have ended.
    void Drain() {
        Sync();
        while (xcb_generic_event_t* event = xcb_poll_for_event(c_))
            std::free(event);
    }

  private:
    void Sync() { std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr)); }
    xcb_connection_t* c_;
};

struct Run {
    double firstMs = 0;
    double mainMs = 0;  // the game only
    double firstPeakMb = 0;
    double peakMb = 0;
};

// Starts `program`, waits for its first window (and, with `windows` 2, its second), then ends it.
bool Start(Display& display, const char* program, int windows, Run& run) {
    display.Drain();
    char* args[] = {const_cast<char*>(program), nullptr};
    pid_t pid = 0;
    const long long started = NowNs();
    if (posix_spawn(&pid, program, nullptr, nullptr, args, environ) != 0)
        return false;
    const long long first = display.NextMap(20000);
    usleep(300000);  // it paints and settles
    const double firstPeakMb = PeakMb(pid);
    const long long second = windows > 1 && first != 0 ? display.NextMap(20000) : first;
    if (first != 0 && second != 0) {
        if (windows > 1)
            usleep(300000);
        run = {(first - started) / 1e6, (second - started) / 1e6, firstPeakMb, PeakMb(pid)};
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return first != 0 && second != 0;
}

double Best(const std::vector<Run>& runs, double Run::*field) {
    double best = runs.front().*field;
    for (const Run& r : runs)
        best = std::min(best, r.*field);
    return best;
}

double Median(const std::vector<Run>& runs, double Run::*field) {
    std::vector<double> v;
    for (const Run& r : runs)
        v.push_back(r.*field);
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: bench_startup RUNS BARE LABEL GAME\n");
        return 2;
    }
    const int count = std::max(1, std::atoi(argv[1]));
    // The game runs from a folder of its own, with its data folder there too.
    char folder[] = "/tmp/quilvaro-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return 1;
    const std::string game = std::string(folder) + "/quilvaro";
    {
        std::ifstream from(argv[4], std::ios::binary);
        std::ofstream to(game, std::ios::binary);
        to << from.rdbuf();
    }
    chmod(game.c_str(), 0755);
    setenv("XDG_DATA_HOME", folder, 1);
    if (getenv("XDG_RUNTIME_DIR") == nullptr)
        setenv("XDG_RUNTIME_DIR", folder, 1);

    Display display;
    std::vector<Run> bare, label, title;
    bool ok = true;
    for (int i = 0; i < count && ok; ++i) {
        Run b, l, t;
        ok = Start(display, argv[2], 1, b) && Start(display, argv[3], 1, l) &&
             Start(display, game.c_str(), 2, t);
        bare.push_back(b);
        label.push_back(l);
        title.push_back(t);
    }
    std::system((std::string("rm -rf ") + folder).c_str());
    if (!ok) {
        std::fprintf(stderr, "bench_startup: a window was not mapped in time\n");
        return 1;
    }
    std::printf("bare_first_window_ms %.1f\n", Best(bare, &Run::firstMs));
    std::printf("label_first_window_ms %.1f\n", Best(label, &Run::firstMs));
    std::printf("title_first_window_ms %.1f\n", Best(title, &Run::firstMs));
    std::printf("main_window_ms %.1f\n", Best(title, &Run::mainMs));
    std::printf("bare_peak_mb %.1f\n", Median(bare, &Run::peakMb));
    std::printf("label_peak_mb %.1f\n", Median(label, &Run::peakMb));
    std::printf("title_peak_mb %.1f\n", Median(title, &Run::firstPeakMb));
    std::printf("game_peak_mb %.1f\n", Median(title, &Run::peakMb));
    return 0;
}
