// A runtime for tests, installed for the lifetime of the object: waits return at once and are
// recorded, random numbers come from a script, message boxes are recorded and answered, the end of
// the program is recorded, the players file lives in a temporary folder, and the screen is
// 1024 x 768 at 96 dpi (15 twips a pixel).
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
    vb::MsgIcon icon;
    QString title;
};

class TestRuntime {
  public:
    TestRuntime();
    ~TestRuntime();

    // The folder that stands for the program's directory, and the per-user data folder.
    QString AppDir() const { return appDir_.path(); }
    QString DataDir() const { return dataDir_.path() + "/data"; }
    QString PlayersFile() const { return AppDir() + "/QVPlayers.dat"; }

    // Random numbers handed out in this order; running out aborts the test.
    void ScriptRandom(const std::vector<double>& values) {
        random_.insert(random_.end(), values.begin(), values.end());
    }
    std::size_t RandomLeft() const { return random_.size(); }
    void ClearRecords() { events.clear(), messages.clear(), endCount = 0; }

    // Everything the game did, in order: "wait 0.1", "randomize", "rnd 0.5",
    // "msgbox STOP: Game over", "end".
    QStringList events;
    std::vector<Message> messages;
    int endCount = 0;
    std::function<void(const Message&)> onMessage;  // runs while a message box is shown

  private:
    QTemporaryDir appDir_, dataDir_;
    std::deque<double> random_;
    vb::RuntimeHooks previous_;
};

}  // namespace qvtest
