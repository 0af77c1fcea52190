#include "game/MainWindow.h"

#include <cassert>

namespace qv {

namespace {
MainWindowControls* g_mainWindow = nullptr;
}

MainWindowControls& MainWindow() {
    assert(g_mainWindow != nullptr);
    return *g_mainWindow;
}

void SetMainWindow(MainWindowControls* window) {
    g_mainWindow = window;
}

bool HasMainWindow() {
    return g_mainWindow != nullptr;
}

}  // namespace qv
