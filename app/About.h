// The About box: the rules of the game and two hints on its options.
#pragma once

#include <QString>

namespace qv {

// The 14 lines of the rules text joined by CR LF, with no line break after the last line.
QString AboutText();

// Shows the rules text in a message box titled "Rules and options.", with no icon.
void ShowAbout();

}  // namespace qv
