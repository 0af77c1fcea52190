#pragma once

namespace platform {

// Puts the real message box and the real end of the program in place for a running game.
void InstallWidgetRuntime();

}  // namespace platform
