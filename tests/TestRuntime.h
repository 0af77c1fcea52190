// A runtime for tests: waits return at once and are recorded, random numbers come from a script,
// message boxes are recorded and answered, the end of the program is recorded, and the players
// file lives in a temporary folder of the test's own. Installed for the lifetime of the object.
#pragma once

#include <QString>
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
    // Lays the game out for a 1024 x 768 screen at 96 dpi (15 twips a pixel).
    TestRuntime();
    ~TestRuntime();
    TestRuntime(const TestRuntime&) = delete;
    TestRuntime& operator=(const TestRuntime&) = delete;

    // The folder that stands for the program's directory, and the per-user data folder.
    QString AppDir() const { return appDir_.path(); }
    QString DataDir() const { return dataDir_.path() + QStringLiteral("/data"); }
    QString PlayersFile() const { return AppDir() + QStringLiteral("/QVPlayers.dat"); }

    // Random numbers handed out in this order; running out fails the test.
    void ScriptRandom(std::initializer_list<double> values);
    void ScriptRandom(const std::vector<double>& values);
    std::size_t RandomLeft() const { return random_.size(); }

    // Everything the game did with the runtime, in order: "wait 0.1", "randomize", "rnd 0.5",
    // "msgbox STOP: Game over", "end".
    QStringList events;
    std::vector<double> waits;
    std::vector<Message> messages;
    int randomizeCount = 0;
    int endCount = 0;
    // Runs when a message box would be shown (the box is "answered" when it returns).
    std::function<void(const Message&)> onMessage;

    void ClearRecords();

  private:
    QTemporaryDir appDir_;
    QTemporaryDir dataDir_;
    std::deque<double> random_;
    vb::RuntimeHooks previous_;
};

}  // namespace qvtest
