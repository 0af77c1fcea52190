// The rows of the player list: a header, then one fixed-width row per player, 25 characters of
// the name followed by the result right-aligned in 7 characters.
#pragma once

#include <QString>

#include "platform/Types.h"
#include "players/PlayerRecord.h"

namespace qv {

constexpr int kListNameWidth = 25;
constexpr int kListResultWidth = 7;

// "PLAYER                    RESULT": 32 characters, RESULT ends over the results.
QString PlayerListHeader();

// The decimal digits of a result (with a minus sign when negative) right-aligned in seven
// characters, padded with blanks on the left. A longer number is shown whole.
QString FormatResult(std::int32_t result);

// The row of one player. The name part is always 25 characters: a stored name ends at its first
// NUL (like the name on the main window), and every other control character (a line break typed
// into the name, for one) shows as a blank, so a row is always one line of the list.
QString PlayerListRow(const PlayerRecord& record);

}  // namespace qv
