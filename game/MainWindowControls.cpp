#include "game/MainWindowControls.h"

#include <cassert>

namespace qv {

namespace {
MainWindowControls* g_mainControls = nullptr;
}

MainWindowControls& MainControls() {
    assert(g_mainControls != nullptr);
    return *g_mainControls;
}

void SetMainControls(MainWindowControls* window) {
    g_mainControls = window;
}

bool HasMainControls() {
    return g_mainControls != nullptr;
}

}  // namespace qv
