// The About box: the rules of the game and two hints on its options.
#pragma once

#include <QString>

namespace qv {

// The 14 lines of the rules text joined by CR LF, with no line break after the last line.
QString AboutText();

// Shows the rules text in a message box titled "Rules and options.", with no icon.
void ShowAbout();

// The Alt key and letter of a menu command of the main window, in the player's language:
// "Alt+S" for "&Start".
QString MenuKey(const char* caption);

// The keys of the game, one line each, joined by CR LF; and the box that shows them (F1).
QString KeysText();
void ShowKeys();

}  // namespace qv
