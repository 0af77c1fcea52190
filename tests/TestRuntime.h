// A runtime for tests while the object lives: waits return at once, random numbers are scripted,
// message boxes and the end recorded, the folders temporary, the screen 1024 x 768 at 96 dpi.
#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <vector>

#include "platform/Runtime.h"
#include "platform/Screen.h"

namespace qvtest {

struct Message {
    QString text;
    platform::MessageIcon icon;
    QString title;
};

class TestRuntime {
  public:
    TestRuntime() {
        platform::SetScreenOverride(platform::ScreenOverride{1024, 768, 96.0});
        platform::RuntimeHooks hooks;
        hooks.wait = [this](double s) { events << QString("wait %1").arg(s); };
        hooks.reseed = [this] { events << "randomize"; };
        hooks.random = [this] {
            if (random_.empty())
                qFatal("test ran out of scripted random numbers");
            const double r = random_.front();
            random_.pop_front();
            events << QString("rnd %1").arg(r);
            return r;
        };
        hooks.showMessage = [this](const QString& text, platform::MessageIcon icon,
                                   const QString& title) {
            messages.push_back({text, icon, title});
            events << QString("msgbox %1: %2").arg(title, text);
            if (onMessage)
                onMessage(messages.back());
        };
        hooks.programDir = [this] { return ProgramDir(); };
        hooks.userDataPath = [this] { return DataDir(); };
        hooks.userConfigPath = [this] { return DataDir() + "/config"; };
        hooks.endProgram = [this] { ++endCount, events << "end"; };
        previous_ = platform::SetRuntimeHooks(hooks);
    }
    ~TestRuntime() {
        platform::SetRuntimeHooks(previous_);
        platform::SetScreenOverride(std::nullopt);
    }

    QString ProgramDir() const { return programDir_.path(); }
    QString DataDir() const { return dataDir_.path() + "/data"; }
    QString PlayersFile() const { return ProgramDir() + "/QVPlayers.dat"; }

    // Random numbers handed out in this order; running out aborts the test.
    void ScriptRandom(const std::vector<double>& values) {
        random_.insert(random_.end(), values.begin(), values.end());
    }
    std::size_t RandomLeft() const { return random_.size(); }
    void ClearRecords() { events.clear(), messages.clear(), endCount = 0; }

    // Everything the game did: "wait 0.1", "randomize", "rnd 0.5", "msgbox STOP: Game over", "end".
    QStringList events;
    std::vector<Message> messages;
    int endCount = 0;
    std::function<void(const Message&)> onMessage;  // runs while a message box is shown

  private:
    QTemporaryDir programDir_, dataDir_;
    std::deque<double> random_;
    platform::RuntimeHooks previous_;
};

}  // namespace qvtest
