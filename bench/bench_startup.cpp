// Start-up: from the moment the process is started to the title window's first frame, and to the
// main window shown. The program starts itself as a child that runs the game as the real program
// does (title window first, then the main window, with the real waits) and reports both moments on
// the monotonic clock, which is the same in both processes.
//
//   bench_startup RUNS
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "app/frmLabel.h"
#include "platform/Runtime.h"
#include "platform/WidgetRuntime.h"

extern char** environ;

namespace {

long long NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Notes the first paint of the title window and the showing of the main window, then ends.
class Watch : public QObject {
  public:
    Watch(QWidget* title, QWidget* main) : title_(title), main_(main) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr)
            return false;
        if (event->type() == QEvent::Paint && firstFrame_ == 0 && widget->window() == title_) {
            firstFrame_ = NowNs();
        }
        if (event->type() == QEvent::Show && watched == main_) {
            std::printf("first_frame_ns %lld\nmain_window_ns %lld\n", firstFrame_, NowNs());
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }

  private:
    QWidget* title_;
    QWidget* main_;
    long long firstFrame_ = 0;
};

int Child(int argc, char** argv) {
    // A real X display when there is one (bench/run-bench starts Xvfb), the offscreen platform
    // otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quilvaro"));
    QApplication::setOrganizationName(QStringLiteral("Dremwick"));
    QTemporaryDir folder;
    vb::InstallWidgetRuntime();
    vb::RuntimeHooks hooks = vb::CurrentRuntimeHooks();
    hooks.appPath = [&] { return folder.path(); };
    hooks.userDataPath = [&] { return folder.path(); };
    vb::SetRuntimeHooks(hooks);

    qv::Form1 form1;
    qv::frmLabel title(form1);
    Watch watch(&title, &form1);
    app.installEventFilter(&watch);
    title.Show();
    return QApplication::exec();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "child") == 0)
        return Child(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<double> firstFrame, mainWindow;
    for (int i = 0; i < runs; ++i) {
        int out[2];
        if (pipe(out) != 0)
            return 1;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        char child[] = "child";
        char* args[] = {argv[0], child, nullptr};
        pid_t pid = 0;
        const long long started = NowNs();
        if (posix_spawn(&pid, argv[0], &actions, nullptr, args, environ) != 0)
            return 1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        std::string text;
        char buffer[256];
        ssize_t n;
        while ((n = read(out[0], buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<size_t>(n));
        close(out[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        long long frame = 0, shown = 0;
        std::sscanf(text.c_str(), "first_frame_ns %lld\nmain_window_ns %lld", &frame, &shown);
        if (frame == 0 || shown == 0) {
            std::fprintf(stderr, "the child reported nothing\n");
            return 1;
        }
        firstFrame.push_back((frame - started) / 1e6);
        mainWindow.push_back((shown - started) / 1e6);
    }
    std::printf("first_frame_ms %.1f\nmain_window_ms %.1f\n", Median(firstFrame),
                Median(mainWindow));
    return 0;
}
