#include "TestRuntime.h"

#include <QSettings>
#include <cstdio>
#include <cstdlib>

namespace qvtest {

TestRuntime::TestRuntime() {
    vb::SetScreenOverride(vb::ScreenOverride{1024, 768, 96.0});
    // Settings go to the test's own folder, never to the user's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, DataDir() + "/config");
    vb::RuntimeHooks hooks;
    hooks.wait = [this](double s) { events << QString("wait %1").arg(s); };
    hooks.randomize = [this] { events << "randomize"; };
    hooks.rnd = [this] {
        if (random_.empty()) {
            std::fprintf(stderr, "test ran out of scripted random numbers\n");
            std::abort();
        }
        const double r = random_.front();
        random_.pop_front();
        events << QString("rnd %1").arg(r);
        return r;
    };
    hooks.msgBox = [this](const QString& text, vb::MsgIcon icon, const QString& title) {
        messages.push_back({text, icon, title});
        events << QString("msgbox %1: %2").arg(title, text);
        if (onMessage)
            onMessage(messages.back());
    };
    hooks.appPath = [this] { return AppDir(); };
    hooks.userDataPath = [this] { return DataDir(); };
    hooks.userConfigPath = [this] { return DataDir() + "/config"; };
    hooks.end = [this] { ++endCount, events << "end"; };
    previous_ = vb::SetRuntimeHooks(hooks);
}

TestRuntime::~TestRuntime() {
    vb::SetRuntimeHooks(previous_);
    vb::SetScreenOverride(std::nullopt);
}

}  // namespace qvtest
