#include "TestRuntime.h"

#include <QTest>
#include <cstdio>
#include <cstdlib>

namespace qvtest {

TestRuntime::TestRuntime() {
    vb::SetScreenOverride(vb::ScreenOverride{1024, 768, 96.0});
    vb::RuntimeHooks hooks;
    hooks.wait = [this](double s) {
        waits.push_back(s);
        events << QStringLiteral("wait %1").arg(s);
    };
    hooks.randomize = [this] {
        ++randomizeCount;
        events << QStringLiteral("randomize");
    };
    hooks.rnd = [this] {
        if (random_.empty()) {
            std::fprintf(stderr, "test ran out of scripted random numbers\n");
            std::abort();
        }
        const double r = random_.front();
        random_.pop_front();
        events << QStringLiteral("rnd %1").arg(r);
        return r;
    };
    hooks.msgBox = [this](const QString& text, vb::MsgIcon icon, const QString& title) {
        Message m{text, icon, title};
        messages.push_back(m);
        events << QStringLiteral("msgbox %1: %2").arg(title, text);
        if (onMessage)
            onMessage(m);
    };
    hooks.appPath = [this] { return AppDir(); };
    hooks.userDataPath = [this] { return DataDir(); };
    hooks.end = [this] {
        ++endCount;
        events << QStringLiteral("end");
    };
    previous_ = vb::SetRuntimeHooks(hooks);
}

TestRuntime::~TestRuntime() {
    vb::SetRuntimeHooks(previous_);
    vb::SetScreenOverride(std::nullopt);
}

void TestRuntime::ScriptRandom(std::initializer_list<double> values) {
    random_.insert(random_.end(), values.begin(), values.end());
}

void TestRuntime::ScriptRandom(const std::vector<double>& values) {
    random_.insert(random_.end(), values.begin(), values.end());
}

void TestRuntime::ClearRecords() {
    events.clear();
    waits.clear();
    messages.clear();
    randomizeCount = 0;
    endCount = 0;
}

}  // namespace qvtest
